#include "cli/Batch.h"

#include <unistd.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <fstream>
#include <iostream>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

#include <nlohmann/json.hpp>

#include "cli/Case.h"
#include "cli/Cli.h"
#include "tables/LookupTable.h"

namespace verosa::cli {

namespace {

const char* const kBatchUsage = "usage: verosa-cli batch FILE [--csv] [--reports DIR] [--jobs N]\n";

// A chunk closes at this many lines or bytes, whichever comes first.
constexpr std::size_t kChunkLines = 256;
constexpr std::size_t kChunkBytes = 1024 * 1024;
// Chunks in flight per worker before the oldest is written.
constexpr std::size_t kChunksPerWorker = 4;
// The progress line shows for batches over this many cases.
constexpr std::size_t kProgressAbove = 1000;

struct BatchUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Line {
    std::size_t number = 0;  // 1-based line number in the input
    std::string text;
    bool tooLong = false;  // longer than kMaxCaseLineBytes; text is empty
};

// Reads lines in blocks, holding at most one line (and one block) at a time.
class LineReader {
public:
    explicit LineReader(std::istream& in) : in_(in) {}

    // The next line; false at the end of the input (or where it failed).
    bool next(Line& line) {
        line.text.clear();
        line.tooLong = false;
        bool any = false;
        for (;;) {
            if (pos_ == end_ && !fill()) {
                if (!any) return false;
                break;  // a last line without its line feed
            }
            any = true;
            const char* start = buffer_ + pos_;
            const void* found = std::memchr(start, '\n', end_ - pos_);
            const std::size_t take =
                found ? static_cast<std::size_t>(static_cast<const char*>(found) - start) : end_ - pos_;
            if (!line.tooLong) {
                if (line.text.size() + take > kMaxCaseLineBytes) {
                    line.tooLong = true;
                    line.text.clear();
                    line.text.shrink_to_fit();
                } else {
                    line.text.append(start, take);
                }
            }
            pos_ += take;
            if (found) {
                ++pos_;
                break;
            }
        }
        line.number = ++number_;
        if (!line.text.empty() && line.text.back() == '\r') line.text.pop_back();
        // A byte-order mark before the first case.
        if (line.number == 1 && line.text.rfind("\xEF\xBB\xBF", 0) == 0) line.text.erase(0, 3);
        return true;
    }

    bool failed() const { return in_.bad(); }

private:
    bool fill() {
        if (!in_) return false;
        in_.read(buffer_, sizeof buffer_);
        pos_ = 0;
        end_ = static_cast<std::size_t>(in_.gcount());
        return end_ > 0;
    }

    std::istream& in_;
    char buffer_[64 * 1024];
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::size_t number_ = 0;
};

bool blank(const std::string& text) { return text.find_first_not_of(" \t\r\f\v") == std::string::npos; }

// A line that is a case (and gets a result line): any but a blank one.
bool isCase(const Line& line) { return line.tooLong || !blank(line.text); }

const char* statusName(CaseOutcome::Status s) {
    switch (s) {
    case CaseOutcome::Status::Ok: return "ok";
    case CaseOutcome::Status::Refused: return "refused";
    case CaseOutcome::Status::Failed: return "failed";
    case CaseOutcome::Status::MissingTable: return "missing-table";
    case CaseOutcome::Status::BadCase: return "bad-case";
    }
    return "failed";
}

// A JSON string; bytes that are not UTF-8 become U+FFFD.
std::string jsonString(const std::string& text) {
    return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string jsonValue(const form::HeadlineValue& v) {
    switch (v.kind()) {
    case form::HeadlineValue::Kind::Number: return v.text();
    case form::HeadlineValue::Kind::Text: return jsonString(v.text());
    case form::HeadlineValue::Kind::None: break;
    }
    return "null";
}

// What every worker reads and no worker changes.
struct Shared {
    const BatchOptions& options;
    const tables::LookupTableStore& store;
    std::string tableAnalysis;            // CSV: the one analysis of the table
    std::vector<std::string> tableNames;  // CSV: its headline names
};

struct Chunk {
    std::vector<Line> lines;
    std::size_t cases = 0;  // lines that are not blank
    std::string output;
    std::string writeError;  // a report that could not be written
    bool done = false;
};

CaseOutcome outcomeOf(const Line& line, const Shared& shared) {
    if (line.tooLong) {
        CaseOutcome o;
        o.message = "line longer than " + std::to_string(kMaxCaseLineBytes) + " bytes";
        return o;
    }
    CaseOutcome o = runCase(line.text, shared.store, shared.options.reports.has_value());
    if (shared.options.csv && o.status != CaseOutcome::Status::BadCase && o.analysis != shared.tableAnalysis) {
        CaseOutcome other;
        other.analysis = o.analysis;
        other.message = "a case of " + o.analysis + ": this CSV table holds the cases of " +
                        (shared.tableAnalysis.empty() ? std::string("no analysis") : shared.tableAnalysis);
        return other;
    }
    return o;
}

void writeJson(std::string& out, const Line& line, const CaseOutcome& o) {
    out += "{\"line\":" + std::to_string(line.number) + ",\"analysis\":";
    out += o.analysis.empty() ? std::string("null") : jsonString(o.analysis);
    out += ",\"status\":\"";
    out += statusName(o.status);
    out += "\",\"message\":";
    out += o.message.empty() ? std::string("null") : jsonString(o.message);
    out += ",\"results\":{";
    bool first = true;
    for (const form::Headline& h : o.headlines) {
        if (!first) out += ',';
        first = false;
        out += '"' + h.name + "\":" + jsonValue(h.value);
    }
    out += "}}\n";
}

void writeCsv(std::string& out, const Line& line, const CaseOutcome& o, const Shared& shared) {
    out += std::to_string(line.number) + ',' + statusName(o.status) + ',' + csvField(o.message);
    for (std::size_t i = 0; i < shared.tableNames.size(); ++i) {
        out += ',';
        if (i < o.headlines.size()) out += csvField(o.headlines[i].value.text());
    }
    out += "\r\n";
}

void writeReport(const Line& line, const CaseOutcome& o, const std::filesystem::path& dir, std::string& error) {
    const std::filesystem::path path = dir / (std::to_string(line.number) + ".txt");
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(o.rendering.data(), static_cast<std::streamsize>(o.rendering.size()));
    file.close();
    if (!file && error.empty()) error = path.string() + " could not be written";
}

void process(Chunk& chunk, const Shared& shared) {
    for (const Line& line : chunk.lines) {
        if (!isCase(line)) continue;
        const CaseOutcome o = outcomeOf(line, shared);
        if (shared.options.csv)
            writeCsv(chunk.output, line, o, shared);
        else
            writeJson(chunk.output, line, o);
        if (shared.options.reports && o.status == CaseOutcome::Status::Ok)
            writeReport(line, o, *shared.options.reports, chunk.writeError);
    }
}

// Workers that take chunks in the order given and mark each done.
class Pool {
public:
    Pool(unsigned workers, const Shared& shared) : shared_(shared) {
        for (unsigned i = 0; i < workers; ++i) threads_.emplace_back([this] { work(); });
    }
    ~Pool() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        queued_.notify_all();
        for (std::thread& t : threads_) t.join();
    }

    void submit(Chunk* chunk) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.push_back(chunk);
        }
        queued_.notify_one();
    }

    void wait(const Chunk& chunk) {
        std::unique_lock<std::mutex> lock(mutex_);
        finished_.wait(lock, [&] { return chunk.done; });
    }

    // Chunks still queued are dropped (the batch is ending early).
    void drop() {
        std::lock_guard<std::mutex> lock(mutex_);
        for (Chunk* c : queue_) c->done = true;
        queue_.clear();
        finished_.notify_all();
    }

private:
    void work() {
        for (;;) {
            Chunk* chunk = nullptr;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                queued_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
                if (queue_.empty()) return;
                chunk = queue_.front();
                queue_.pop_front();
            }
            try {
                process(*chunk, shared_);
            } catch (const std::exception& e) {
                // Out of memory or the like: the batch cannot go on writing.
                chunk->writeError = std::string("a chunk could not be processed: ") + e.what();
            }
            {
                std::lock_guard<std::mutex> lock(mutex_);
                chunk->done = true;
            }
            finished_.notify_all();
        }
    }

    const Shared& shared_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable finished_;
    std::deque<Chunk*> queue_;
    bool stopping_ = false;
};

// The progress line: cases done of the total, cases per second; redrawn at
// most five times a second, closed with a line feed at the end.
class Progress {
public:
    Progress(const BatchOptions& options, std::ostream& err) : options_(options), err_(err) {}

    void update(std::size_t done, bool last) {
        if (!options_.progress) return;
        const bool large = options_.total ? *options_.total > kProgressAbove : done > kProgressAbove;
        if (!large) return;
        const auto now = std::chrono::steady_clock::now();
        if (!last && shown_ && now - lastShown_ < std::chrono::milliseconds(200)) return;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        const auto rate = static_cast<long long>(seconds > 0 ? static_cast<double>(done) / seconds : 0.0);
        err_ << '\r' << done;
        if (options_.total) err_ << " / " << *options_.total;
        err_ << " cases, " << rate << " cases/s" << (last ? "\n" : "") << std::flush;
        shown_ = true;
        lastShown_ = now;
    }

private:
    const BatchOptions& options_;
    std::ostream& err_;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point lastShown_;
    bool shown_ = false;
};

// Reads the next chunk; empty at the end of the input.
std::unique_ptr<Chunk> readChunk(LineReader& reader) {
    auto chunk = std::make_unique<Chunk>();
    std::size_t bytes = 0;
    Line line;
    while (chunk->lines.size() < kChunkLines && bytes < kChunkBytes && reader.next(line)) {
        bytes += line.text.size();
        if (isCase(line)) ++chunk->cases;
        chunk->lines.push_back(std::move(line));
        line = Line{};
    }
    return chunk;
}

// The analysis of a CSV table: the first analysis named by a case of the
// first chunk that is built.
std::string tableAnalysisOf(const Chunk& chunk) {
    const std::vector<std::string> built = builtAnalyses();
    for (const Line& line : chunk.lines) {
        if (!isCase(line)) continue;
        const auto doc = nlohmann::json::parse(line.text, nullptr, false);
        if (!doc.is_object()) continue;
        const auto it = doc.find("analysis");
        if (it == doc.end() || !it->is_string()) continue;
        for (const std::string& name : built)
            if (name == it->get<std::string>()) return name;
    }
    return {};
}

}  // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

int runBatch(std::istream& in, const BatchOptions& options, std::ostream& out, std::ostream& err) {
    if (options.reports) {
        std::error_code ec;
        std::filesystem::create_directories(*options.reports, ec);
        if (!std::filesystem::is_directory(*options.reports, ec)) {
            err << "verosa-cli: the report folder " << options.reports->string() << " could not be made\n";
            return kWriteFailed;
        }
    }
    const tables::LookupTableStore store(tables::LookupTableStore::Sets::Shared);
    Shared shared{options, store, {}, {}};
    LineReader reader(in);
    Progress progress(options, err);

    std::unique_ptr<Chunk> next = readChunk(reader);
    if (options.csv) {
        shared.tableAnalysis = tableAnalysisOf(*next);
        shared.tableNames = headlineNamesOf(shared.tableAnalysis);
        std::string header = "line,status,message";
        for (const std::string& name : shared.tableNames) header += ',' + name;
        header += "\r\n";
        out << header;
    }

    const unsigned workers = options.jobs == 0 ? 1 : options.jobs;
    std::deque<std::unique_ptr<Chunk>> inflight;
    std::size_t done = 0;
    std::string failure;
    {
        Pool pool(workers, shared);
        // Writes the oldest chunk once it is done; false when the batch must stop.
        auto writeOldest = [&]() {
            Chunk& c = *inflight.front();
            pool.wait(c);
            out.write(c.output.data(), static_cast<std::streamsize>(c.output.size()));
            if (!out) failure = "verosa-cli: the results could not be written";
            if (failure.empty() && !c.writeError.empty()) failure = "verosa-cli: " + c.writeError;
            done += c.cases;
            inflight.pop_front();
            progress.update(done, false);
            return failure.empty();
        };
        while (!next->lines.empty() && failure.empty()) {
            pool.submit(next.get());
            inflight.push_back(std::move(next));
            while (failure.empty() && inflight.size() >= workers * kChunksPerWorker) writeOldest();
            next = readChunk(reader);
        }
        while (failure.empty() && !inflight.empty()) writeOldest();
        if (!failure.empty()) pool.drop();
    }
    out.flush();
    if (failure.empty() && !out) failure = "verosa-cli: the results could not be written";
    if (!failure.empty()) {
        err << failure << '\n';
        return kWriteFailed;
    }
    progress.update(done, true);
    if (reader.failed()) {
        err << "verosa-cli: the batch could not be read to its end\n";
        return kUnreadable;
    }
    return kSuccess;
}

int batchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        BatchOptions options;
        options.jobs = std::max(1u, std::thread::hardware_concurrency());
        std::optional<std::string> file;
        for (std::size_t i = 1; i < args.size(); ++i) {
            const std::string& a = args[i];
            auto value = [&]() -> const std::string& {
                if (i + 1 >= args.size()) throw BatchUsageError(a + " needs a value");
                return args[++i];
            };
            if (a == "--csv") {
                options.csv = true;
            } else if (a == "--reports") {
                if (options.reports) throw BatchUsageError("--reports given twice");
                options.reports = value();
            } else if (a == "--jobs") {
                const std::string& n = value();
                unsigned jobs = 0;
                auto [p, ec] = std::from_chars(n.data(), n.data() + n.size(), jobs);
                if (ec != std::errc() || p != n.data() + n.size() || jobs < 1 || jobs > 256)
                    throw BatchUsageError("--jobs takes a whole number from 1 to 256: " + n);
                options.jobs = jobs;
            } else if (a.size() > 1 && a[0] == '-') {
                throw BatchUsageError("unknown argument: " + a);
            } else {
                if (file) throw BatchUsageError("batch reads one file");
                file = a;
            }
        }
        if (!file) throw BatchUsageError("batch needs a file (- for standard input)");

        // The progress line only where the error stream is the terminal.
        options.progress = &err == &std::cerr && isatty(STDERR_FILENO) == 1;

        if (*file == "-") return runBatch(std::cin, options, out, err);
        std::error_code ec;
        if (std::filesystem::is_directory(*file, ec)) {
            err << "verosa-cli: " << *file << " cannot be read: it is a folder\n";
            return kUnreadable;
        }
        std::ifstream in(*file, std::ios::binary);
        if (!in) {
            err << "verosa-cli: " << *file << " cannot be read\n";
            return kUnreadable;
        }
        if (options.progress) {
            // The total for the progress line: the lines that are not blank.
            std::ifstream count(*file, std::ios::binary);
            LineReader lines(count);
            Line line;
            std::size_t total = 0;
            while (lines.next(line))
                if (isCase(line)) ++total;
            options.total = total;
        }
        return runBatch(in, options, out, err);
    } catch (const BatchUsageError& e) {
        err << "verosa-cli: " << e.what() << '\n' << kBatchUsage;
        return kUsage;
    }
}

}  // namespace verosa::cli
