#pragma once
// Scope of a walk over the quiz query: whatever happens inside, the query
// ends on its first record, or back where it stood when the walk was given up.

#include "store/data_set.h"

namespace morvanta::exchange {

class QueryWalk {
public:
    explicit QueryWalk(store::DataSet& query) : query_(query), startRecNo_(query.recNo()) {}
    ~QueryWalk() {
        // A destructor must not throw; a failure here leaves the query where it is.
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
    int startRecNo_;
    bool restoreStart_ = false;
};

}  // namespace morvanta::exchange
