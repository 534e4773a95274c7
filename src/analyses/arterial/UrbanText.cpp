// The texts of the result window: every value cut to two decimals on its
// decimal text, the TAB-separated table it saves and the columns it prints.
#include <charconv>
#include <cmath>
#include <string_view>

#include "analyses/arterial/Urban.h"
#include "numeric/Result.h"
#include "report/BoxReport.h"
#include "report/NumberText.h"

namespace verosa::analyses::arterial {

const std::array<const char*, 9> kSegmentCaptions = {
    "순행시간(sec)",    "교차로정지지체", "연동계수",     "연동보정지체",   "교차로서비스수준",
    "교차로총접근지체", "구간총시간",     "구간통행속도", "구간서비스수준",
};

namespace {

constexpr const char* kSegmentHeading = "구간";
constexpr std::array<const char*, 4> kOnceCaptions = {"간선도로유형", "자유속도(kph)", "구간총통행속도",
                                                      "전체구간서비스수준"};

}  // namespace

std::string cutText(float x) { return report::numtext(report::floorDecimals(x, 2)); }

UrbanTexts resultTexts(const UrbanResult& r) {
    UrbanTexts texts;
    for (const SegmentResult& s : r.segment) {
        texts.segment.push_back({cutText(s.runningTime), cutText(s.d), cutText(s.PF), cutText(s.dp),
                                 std::string(1, s.intersectionLevel), cutText(s.da), cutText(s.T), cutText(s.speed),
                                 std::string(1, s.level)});
    }
    texts.highwayType = report::numtext(r.k);
    texts.freeSpeed = report::numtext(r.FFS);
    texts.totalSpeed = cutText(r.speed);
    texts.totalLos = std::string(1, r.level);
    return texts;
}

std::string urbanRendering(const UrbanTexts& texts) {
    // Nothing to save before the first analysis.
    if (texts.segment.empty()) return {};
    std::string out = kSegmentHeading;
    for (const char* caption : kSegmentCaptions) out += std::string("\t") + caption;
    out += "\r\n";
    for (std::size_t i = 0; i < texts.segment.size(); ++i) {
        out += std::to_string(i + 1);
        for (const std::string& field : texts.segment[i].columns()) out += "\t" + field;
        out += "\r\n";
    }
    const auto once = texts.onceValues();
    for (std::size_t i = 0; i < kOnceCaptions.size(); ++i)
        out += std::string(kOnceCaptions[i]) + "\t" + once[i] + "\r\n";
    return out;
}

namespace {

// The headings of the printed columns, one piece a line, so that the table
// keeps within the width of the framed reports.
const std::vector<std::vector<std::string>> kPrintHeadings = {
    {"구간"},
    {"순행", "시간", "(sec)"},
    {"교차로", "정지", "지체"},
    {"연동", "계수"},
    {"연동", "보정", "지체"},
    {"교차로", "서비스", "수준"},
    {"교차로", "총접근", "지체"},
    {"구간", "총시간"},
    {"구간", "통행", "속도"},
    {"구간", "서비스", "수준"},
};

// Right-aligned in `width` columns (ASCII one column, any other character two).
std::string right(const std::string& text, int width) { return report::blanks(width - report::columns(text)) + text; }

}  // namespace

std::string urbanPrintout(const UrbanTexts& texts) {
    if (texts.segment.empty()) return {};
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < texts.segment.size(); ++i) {
        std::vector<std::string> row = {std::to_string(i + 1)};
        for (const std::string& field : texts.segment[i].columns()) row.push_back(field);
        rows.push_back(std::move(row));
    }
    const std::size_t columnCount = kPrintHeadings.size();
    std::vector<int> width(columnCount, 0);
    std::size_t headingLines = 0;
    for (std::size_t c = 0; c < columnCount; ++c) {
        for (const std::string& piece : kPrintHeadings[c]) width[c] = std::max(width[c], report::columns(piece));
        for (const auto& row : rows) width[c] = std::max(width[c], report::columns(row[c]));
        headingLines = std::max(headingLines, kPrintHeadings[c].size());
    }
    constexpr int kGap = 2;
    auto line = [&](auto cellOf) {
        std::string text;
        for (std::size_t c = 0; c < columnCount; ++c)
            text += (c ? report::blanks(kGap) : "") + right(cellOf(c), width[c]);
        // No trailing blanks.
        text.erase(text.find_last_not_of(' ') + 1);
        return text + "\r\n";
    };
    int total = 0;
    for (int w : width) total += w;
    total += kGap * static_cast<int>(columnCount - 1);

    std::string out = "도시 및 교외 간선도로 분석결과\r\n\r\n";
    // Headings stand on their last lines, so the pieces of every column end together.
    for (std::size_t l = 0; l < headingLines; ++l) {
        out += line([&](std::size_t c) -> std::string {
            const auto& pieces = kPrintHeadings[c];
            const std::size_t first = headingLines - pieces.size();
            return l < first ? std::string() : pieces[l - first];
        });
    }
    out += report::repeat("-", total) + "\r\n";
    for (const auto& row : rows) out += line([&](std::size_t c) { return row[c]; });
    out += "\r\n";
    const auto once = texts.onceValues();
    // The four once-only values right-aligned after their captions.
    int captionWidth = 0, valueWidth = 0;
    for (const char* caption : kOnceCaptions) captionWidth = std::max(captionWidth, report::columns(caption));
    for (const std::string& value : once) valueWidth = std::max(valueWidth, report::columns(value));
    for (std::size_t i = 0; i < kOnceCaptions.size(); ++i) {
        const std::string caption = kOnceCaptions[i];
        out += caption + report::blanks(captionWidth - report::columns(caption) + kGap) + right(once[i], valueWidth) +
               "\r\n";
    }
    return out;
}

}  // namespace verosa::analyses::arterial
