#pragma once
#include <string>

namespace verosa::form {

// The analysis-mode key that the main window's menu writes before it shows an
// analysis window ("highwayoper", "weavingdesign", ...). One object, owned by the
// program (or by one CLI run); forms read it when created and, where their
// method says so, again when the analysis runs. Only the menu (or the CLI) writes it.
struct AnalysisIndex {
    std::string key;
};

// The keys the menu writes; the facility table and the forms that read them
// spell them here only.
namespace modekey {
inline constexpr const char* kHighwayOper = "highwayoper";
inline constexpr const char* kHighwayDesign = "highwaydesign";
inline constexpr const char* kWeavingOper = "weavingoper";
inline constexpr const char* kWeavingDesign = "weavingdesign";
inline constexpr const char* kManywayOper = "manywayoper";
inline constexpr const char* kPedestrianOper = "pedestrianoper";
}  // namespace modekey

}  // namespace verosa::form
