#pragma once

namespace kyr {

// What the project needs from the window that shows it. The project window implements this;
// the project holds it as a plain, non-owning reference.
class TFileFormLink {
public:
    // Rebuilds the screen list; -1 keeps the line that was current.
    virtual void RefreshScreenList(int index) = 0;
    // Stores the window's edit pages into the project before it is saved or sent; false
    // when an entry was refused, and the caller then stops.
    virtual bool StoreAll() { return true; }

protected:
    ~TFileFormLink() = default;
};

}  // namespace kyr
