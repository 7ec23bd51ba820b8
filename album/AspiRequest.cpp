#include "album/AspiRequest.h"

#include "framework/KernelHandle.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// After an abort the layer completes the request with SS_ABORTED; this is how
// long it gets to do so.
constexpr DWORD kAbortGraceMs = 2000;

class AspiRequest
{
public:
    AspiRequest(const AspiAddress& address, const BYTE* cdb, BYTE cdbLength, DWORD length)
        : m_data(length), m_done(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        std::memset(&m_block, 0, sizeof m_block);
        m_block.command = aspi::kCommandExecute;
        m_block.adapter = address.adapter;
        m_block.flags = aspi::kFlagDataIn | aspi::kFlagEventNotify;
        m_block.target = address.target;
        m_block.lun = address.lun;
        m_block.bufferLength = length;
        m_block.buffer = m_data.data();
        m_block.senseLength = aspi::kSenseLength;
        m_block.cdbLength = std::min<BYTE>(cdbLength, sizeof m_block.cdb);
        std::memcpy(m_block.cdb, cdb, m_block.cdbLength);
        m_block.completion = m_done.Get();
    }
    AspiRequest(const AspiRequest&) = delete;
    AspiRequest& operator=(const AspiRequest&) = delete;

    bool HasEvent() const { return m_done.IsValid(); }
    HANDLE Event() const { return m_done.Get(); }
    aspi::ExecuteBlock& Block() { return m_block; }
    const std::vector<BYTE>& Data() const { return m_data; }

private:
    aspi::ExecuteBlock m_block;
    std::vector<BYTE> m_data;
    OwnedKernelHandle m_done;
};

// The requests the layer was not seen to let go of. The album search's
// worker and the user-interface thread may both send requests.
class KeptRequests
{
public:
    static KeptRequests& Instance()
    {
        static KeptRequests kept;
        return kept;
    }
    void Keep(std::unique_ptr<AspiRequest> request)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(std::move(request));
    }
    size_t Count()
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests.size();
    }

private:
    std::mutex m_mutex;
    std::vector<std::unique_ptr<AspiRequest>> m_requests;
};

}  // namespace

bool ExecuteAspiCommand(const aspi::EntryPoints& layer, const AspiAddress& address, const BYTE* cdb, BYTE cdbLength,
                        BYTE* buffer, DWORD length, DWORD timeoutMs)
{
    auto request = std::make_unique<AspiRequest>(address, cdb, cdbLength, length);
    if (!request->HasEvent())
        return false;
    ::ResetEvent(request->Event());
    if (layer.sendCommand(&request->Block()) == aspi::kStatusPending &&
        ::WaitForSingleObject(request->Event(), timeoutMs) != WAIT_OBJECT_0) {
        // Not answered in time: the layer still holds the block and the data
        // area. Until it says it has let go of them they must stay.
        aspi::AbortBlock abort;
        std::memset(&abort, 0, sizeof abort);
        abort.command = aspi::kCommandAbort;
        abort.adapter = address.adapter;
        abort.toAbort = &request->Block();
        layer.sendCommand(&abort);
        if (::WaitForSingleObject(request->Event(), kAbortGraceMs) != WAIT_OBJECT_0)
            KeptRequests::Instance().Keep(std::move(request));
        return false;
    }
    if (request->Block().status != aspi::kStatusComplete)
        return false;
    std::memcpy(buffer, request->Data().data(), length);
    return true;
}

size_t AspiRequestsKeptForTheLayer()
{
    return KeptRequests::Instance().Count();
}
