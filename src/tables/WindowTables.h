#pragma once
// The tables an analysis window opens when it is created and keeps while it lives.
#include <optional>

#include "tables/LookupTable.h"

namespace verosa::tables {

// Opens a window's set of tables the first time they are asked for and keeps
// them. A missing file or table throws (MissingTable) and leaves the set
// unopened, so every analysis that needs it names it again, and finds it once
// the file is back.
template <class Tables>
class WindowTables {
public:
    using Opener = Tables (*)(const LookupTableStore&);
    explicit WindowTables(Opener open) : open_(open) {}

    // `store` is the program's store; without one, the folder of the executable.
    const Tables& get(const LookupTableStore* store) {
        if (!tables_) {
            if (!store) {
                if (!ownStore_) ownStore_.emplace();
                store = &*ownStore_;
            }
            tables_ = open_(*store);
        }
        return *tables_;
    }

private:
    Opener open_;
    std::optional<LookupTableStore> ownStore_;
    std::optional<Tables> tables_;
};

}  // namespace verosa::tables
