#pragma once
// The tables an analysis window opens when it is created and keeps while it lives.
#include <memory>
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
    // A store that shares its sets hands every window of a kind the same one.
    const Tables& get(const LookupTableStore* store) {
        if (!tables_) {
            if (store && store->sharesSets()) {
                tables_ = store->sharedSet(open_);
            } else {
                if (!store) {
                    if (!ownStore_) ownStore_.emplace();
                    store = &*ownStore_;
                }
                tables_ = std::make_shared<const Tables>(open_(*store));
            }
        }
        return *tables_;
    }

private:
    Opener open_;
    std::optional<LookupTableStore> ownStore_;
    std::shared_ptr<const Tables> tables_;
};

}  // namespace verosa::tables
