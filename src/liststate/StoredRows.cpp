#include "liststate/StoredRows.h"

namespace kelvara::liststate {

// A chunk only this object holds is changed in place; one a snapshot still
// holds is copied first. Only the owner's thread makes new holders, so a
// count of one cannot grow behind our back.
StoredRows::Chunk& StoredRows::Writable(std::size_t chunkIndex)
{
    auto& chunk = m_chunks[chunkIndex];
    if (chunk.use_count() != 1)
        chunk = std::make_shared<Chunk>(*chunk);
    // Every chunk is made non-const (make_shared<Chunk>); only its holders
    // see it as const.
    return const_cast<Chunk&>(*chunk);
}

const StoredJob& StoredRows::At(std::size_t index) const
{
    return *(*m_chunks[index / kChunkRows])[index % kChunkRows];
}

void StoredRows::Set(std::size_t index, StoredRow row)
{
    Writable(index / kChunkRows)[index % kChunkRows] = std::move(row);
}

void StoredRows::Append(StoredRow row)
{
    if (m_size % kChunkRows == 0) {
        auto fresh = std::make_shared<Chunk>();
        fresh->reserve(kChunkRows);
        m_chunks.push_back(std::move(fresh));
    }
    Writable(m_chunks.size() - 1).push_back(std::move(row));
    ++m_size;
}

void StoredRows::Clear()
{
    m_chunks.clear();
    m_size = 0;
}

std::vector<StoredRow> StoredRows::Flatten(const Chunks& chunks)
{
    std::vector<StoredRow> rows;
    rows.reserve(chunks.size() * kChunkRows);
    for (const auto& chunk : chunks)
        rows.insert(rows.end(), chunk->begin(), chunk->end());
    return rows;
}

} // namespace kelvara::liststate
