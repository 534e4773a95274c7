#pragma once
// The signalized-intersection window frmInterSection: volumes and approach
// conditions, signal timing and the lane-by-lane entry of each approach, a
// drawing of the lanes as entered, and the four worksheet pages of the result.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "analyses/AnalysisForm.h"
#include "analyses/signalized/Records.h"
#include "analyses/signalized/Signalized.h"

namespace verosa::analyses::signalized {

// The window's state besides its controls: what the lane entry has stored,
// kept together so that it can be saved and restored as one.
struct LaneEntryState {
    std::array<int, kApproaches> laneCount{};  // cboTotalLane of each approach (0 without a choice)
    std::array<std::array<LaneInput, kLaneSlots>, kApproaches> slots{};
    int approach = -1;  // the entry cursor: no approach chosen yet
    int lane = 1;       // the lane cmdNext stores next (1 ... 5)
    friend bool operator==(const LaneEntryState&, const LaneEntryState&) = default;
};

class IntersectionForm : public TabledForm<SignalizedTables> {
public:
    explicit IntersectionForm(form::FormContext context);

    static constexpr int kVolumePage = 0;
    static constexpr int kTimingPage = 1;
    static constexpr int kDrawingPage = 2;
    static constexpr int kResultPage = 3;

    const LaneEntryState& laneEntry() const { return entry_; }
    // The records of the last completed analysis (zeros before the first).
    const IntersectionInput& analysedInput() const { return shownInput_; }
    const IntersectionResult& analysedResult() const { return shownResult_; }
    void restoreLaneEntry(const LaneEntryState& state);

    // The lane entry as a case keeps it: the lane count of each approach, the
    // width and movement code of every slot, and the entry cursor.
    nlohmann::ordered_json keptState() const override;

protected:
    // Takes a lane entry back after the controls were set; its lane counts
    // must be those the lane-count lists chose.
    void onRestoreKeptState(const nlohmann::ordered_json& state) override;

private:
    void approachHeadings(const std::string& frame, int row = 0);
    void approachRow(const std::string& name, const std::string& caption,
                     const std::function<form::Control&(int)>& add);
    void numberRow(const char* name, const char* caption, const char* subject, form::NumberField field);
    void listRow(const char* name, const char* caption, const std::vector<std::string>& items,
                 const char* subject = nullptr);
    void declareVolumePage();
    void declareTimingPage();
    void declareDrawingPage();
    void declareResultPage();
    void declareExamples();
    void loadExample(int example);
    void returnToOpeningState();

    void chooseDirection(int approach);
    void storeLane();
    void showLaneCount(int approach);
    void showLanes();
    void showLaneCell(int approach, int lane);
    std::string entryCaption() const;
    void draw();

    IntersectionInput readInput() const;

    int nextRow_ = 0;  // the next row of the frame being declared
    LaneEntryState entry_;
    // The opening state of every input control, to return to.
    std::vector<form::Control> opening_;
    // The records of the last completed analysis, which the worksheet pages show.
    IntersectionInput shownInput_;
    IntersectionResult shownResult_;
    bool analysed_ = false;  // an analysis has completed: shownResult_ holds its result
};

}  // namespace verosa::analyses::signalized
