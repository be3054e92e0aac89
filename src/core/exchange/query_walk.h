#pragma once
// Scope of a walk over the quiz query: the widgets bound to it stay as they are
// while it moves, and whatever happens inside, the query ends on its first
// record, or back where it stood when the walk was given up; then the widgets
// show that record, refreshed once.

#include "store/data_set.h"

namespace morvanta::exchange {

class QueryWalk {
public:
    explicit QueryWalk(store::DataSet& query)
        : query_(query), controls_(query), startRecNo_(query.recNo()) {}
    ~QueryWalk() {
        // A destructor must not throw; a failure here leaves the query where it is.
        // The controls are enabled afterwards, as the members go.
        try {
            if (restoreStart_ && startRecNo_ > 0)
                query_.setRecNo(startRecNo_);
            else if (query_.active())
                query_.first();
        } catch (...) {
        }
    }
    QueryWalk(const QueryWalk&) = delete;
    QueryWalk& operator=(const QueryWalk&) = delete;

    // The walk was cancelled: put the query back on the record it stood on.
    void restoreStart() { restoreStart_ = true; }

private:
    store::DataSet& query_;
    store::ControlsDisabled controls_;
    int startRecNo_;
    bool restoreStart_ = false;
};

}  // namespace morvanta::exchange
