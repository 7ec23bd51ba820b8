#include "imaging/ThumbnailList.h"

#include <utility>

void CThumbnailList::Append(CImageListEntry entry)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.push_back(std::move(entry));
    m_count.store(m_entries.size(), std::memory_order_release);
}

bool CThumbnailList::Get(std::size_t index, CImageListEntry& entry) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (index >= m_entries.size())
        return false;
    entry = m_entries[index];
    return true;
}

ThumbnailPtr CThumbnailList::Thumbnail(std::size_t index) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return index < m_entries.size() ? m_entries[index].thumbnail : nullptr;
}

void CThumbnailList::SetThumbnail(std::size_t index, ThumbnailPtr thumbnail, int width, int height)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (index >= m_entries.size())
        return;
    CImageListEntry& entry = m_entries[index];
    entry.thumbnail = std::move(thumbnail);
    entry.width = width;
    entry.height = height;
}

void CThumbnailList::MarkUnreadable(std::size_t index)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (index < m_entries.size())
        m_entries[index].unreadable = true;
}

void CThumbnailList::FreeThumbnails(std::size_t first, std::size_t end)
{
    std::deque<ThumbnailPtr> released;  // deleted after the lock is gone
    std::lock_guard<std::mutex> lock(m_mutex);
    for (std::size_t i = first; i < end && i < m_entries.size(); ++i) {
        if (m_entries[i].thumbnail)
            released.push_back(std::move(m_entries[i].thumbnail));
    }
}

void CThumbnailList::Clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.clear();
    m_count.store(0, std::memory_order_release);
}
