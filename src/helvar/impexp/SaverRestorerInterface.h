#pragma once
// The in-memory snapshot of one session's attribute settings. Failures are raised.
namespace impexp {

class SaverRestorerInterface {
public:
    virtual ~SaverRestorerInterface() = default;
    // Replaces the kept document by a new snapshot; on failure the previous one stays.
    virtual void save() = 0;
    // Applies the kept document (an empty one is refused as corrupted).
    virtual void restore() = 0;
};

}  // namespace impexp
