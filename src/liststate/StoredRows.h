// The stored rows in chunks of shared, immutable rows: a change copies one
// chunk's pointers, a snapshot copies the chunks' pointers. Handing ten
// thousand rows to the writer's thread then costs the GUI thread a few
// microseconds instead of a pass over every row.
#pragma once

#include "liststate/StoredList.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace kelvara::liststate {

class StoredRows {
public:
    using Chunk = std::vector<StoredRow>;
    using Chunks = std::vector<std::shared_ptr<const Chunk>>;
    static constexpr std::size_t kChunkRows = 128;

    std::size_t Size() const { return m_size; }
    const StoredJob& At(std::size_t index) const;
    void Set(std::size_t index, StoredRow row);
    void Append(StoredRow row);
    void Clear();

    // Immutable from here on: later changes copy the chunk they touch.
    const Chunks& Snapshot() const { return m_chunks; }
    static std::vector<StoredRow> Flatten(const Chunks& chunks);

private:
    Chunk& Writable(std::size_t chunkIndex);

    Chunks m_chunks;
    std::size_t m_size = 0;
};

// What the keeper hands the writer: the window's choices and the rows.
struct ListSnapshot {
    WindowChoices window;
    StoredRows::Chunks rows;
};

} // namespace kelvara::liststate
