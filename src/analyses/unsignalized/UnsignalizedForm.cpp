#include "analyses/unsignalized/UnsignalizedForm.h"
#include "analyses/unsignalized/UnsignalizedHeadlines.h"

#include <array>

namespace verosa::analyses::unsignalized {

namespace {

using form::ButtonRole;
using form::element;
using form::NumberField;

// The movement names as the input page shows them.
const char* const kMovementCaptions[3] = {"좌회전", "직   진", "우회전"};

// Columns of the volume table: approach, lanes (caption and field), movement,
// small, large.
constexpr int kApproachColumn = 0;
constexpr int kLaneColumn = 1;
constexpr int kMovementColumn = 2;
constexpr int kSmallColumn = 3;
constexpr int kLargeColumn = 4;

}  // namespace

UnsignalizedForm::UnsignalizedForm(form::FormContext context) : AnalysisForm(context) {
    setWindowName("frmNoControlIntersection");
    setTitle("비신호교차로");
    addPage("입력화면");
    addPage("결과화면");

    beginPage(kInputPage);
    place(addList("cboIntersectionType", "교차로형태", {"1 × 1 형태", "2 × 1 형태"}), 0, 0);
    declareVolumeTable();

    beginPage(kResultPage);
    addResultView();

    beginPage(-1);
    addButton("cmdEx2", "Ex#2", ButtonRole::Example);
    addButton("cmdResult", "분석", ButtonRole::Analysis);
    addButton("cmdExit", "종 료(&X)", ButtonRole::Exit);

    declareExample();
    onAnalysis("cmdResult", kResultPage, [this] { return runAnalysis(); });
    declareHeadlines("cmdResult", unsignalizedHeadlineNames(), last_, unsignalizedHeadlines);
}

// One row per movement under its approach; the lane count stands on the
// approach's first row, the small and large volumes under their headings.
void UnsignalizedForm::declareVolumeTable() {
    beginFrame("fraVolume", "교통량", 5);
    place(control("fraVolume"), 1, 0);
    place(addLabel("lblApproachHeading", "접근로"), 0, kApproachColumn);
    place(addLabel("lblMovementHeading", "이동류"), 0, kMovementColumn);
    place(addLabel("lblSmallHeading", "소형(대/시)"), 0, kSmallColumn);
    place(addLabel("lblLargeHeading", "대형(대/시)"), 0, kLargeColumn);
    const NumberField lanes{kLaneBounds, std::nullopt};
    const NumberField volume{kVolumeBounds, 0.0};  // a movement left blank carries no traffic
    for (int a = 0; a < kApproaches; ++a) {
        const int firstRow = 1 + 3 * a;
        place(addLabel(element("lblApproach", a + 1), approachName(a)), firstRow, kApproachColumn);
        place(addNumber(laneField(a), "차로수", lanes, 4, laneSubject(a)), firstRow, kLaneColumn);
        for (int k = 0; k < 3; ++k) {
            const int m = 3 * a + k;
            place(addLabel(element("lblMovement", m + 1), kMovementCaptions[k]), firstRow + k, kMovementColumn);
            place(addNumber(volumeField(m, false), "", volume, 6, volumeSubject(m, false)), firstRow + k, kSmallColumn);
            place(addNumber(volumeField(m, true), "", volume, 6, volumeSubject(m, true)), firstRow + k, kLargeColumn);
        }
    }
    endFrame();
}

void UnsignalizedForm::declareExample() {
    onPress("cmdEx2", [this] {
        choose("cboIntersectionType", kTwoByOne);
        const std::array<const char*, kApproaches> lanes = {"2", "2", "1", "1"};
        for (int a = 0; a < kApproaches; ++a) set(laneField(a), lanes[static_cast<std::size_t>(a)]);
        const std::array<const char*, kMovements> small = {"29", "250", "50", "57", "300", "100",
                                                           "48", "145", "60", "12", "121", "31"};
        const std::array<const char*, kMovements> large = {"4", "0", "0", "9", "0", "0", "0", "0", "0", "0", "0", "0"};
        for (int m = 0; m < kMovements; ++m) {
            set(volumeField(m, false), small[static_cast<std::size_t>(m)]);
            set(volumeField(m, true), large[static_cast<std::size_t>(m)]);
        }
    });
}

// Read in tab order, so the first field in error is the one named.
UnsignalizedInput UnsignalizedForm::readInput() const {
    UnsignalizedInput in;
    in.intersectionType = indexOf("cboIntersectionType");
    requireIntersectionType(in.intersectionType);
    in.intersectionText = at("cboIntersectionType").listText();
    for (int a = 0; a < kApproaches; ++a) {
        in.lanes[static_cast<std::size_t>(a)] = numberOf(laneField(a));
        for (int m = 3 * a; m < 3 * a + 3; ++m) {
            in.small[static_cast<std::size_t>(m)] = int16Of(volumeField(m, false));
            in.large[static_cast<std::size_t>(m)] = int16Of(volumeField(m, true));
        }
    }
    return in;
}

std::string UnsignalizedForm::runAnalysis() {
    const UnsignalizedInput in = readInput();
    const UnsignalizedResult r = analyseUnsignalized(in);
    std::string text = unsignalizedReport(in, r);
    last_ = r;
    return text;
}

}  // namespace verosa::analyses::unsignalized
