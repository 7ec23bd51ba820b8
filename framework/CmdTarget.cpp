#include "framework/CmdTarget.h"

#include "framework/CmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

bool CommandEntry::Matches(const CommandRequest& request) const
{
    if (request.id < firstId || request.id > lastId)
        return false;
    switch (kind) {
    case Kind::Command:
        return request.kind == CommandRequest::Kind::Execute && request.code == code;
    case Kind::Update:
        return request.kind == CommandRequest::Kind::UpdateUI;
    case Kind::Notify:
        return request.kind == CommandRequest::Kind::Notify && request.code == code;
    case Kind::End:
        break;
    }
    return false;
}

namespace command_map_detail {

bool RoutingContinues(const CommandRequest& request)
{
    if (!request.ui || !request.ui->m_bContinueRouting)
        return false;
    // The next target starts afresh.
    request.ui->m_bContinueRouting = false;
    return true;
}

}  // namespace command_map_detail

const CommandMap& CCmdTarget::ThisCommandMap()
{
    static const CommandEntry entries[] = {CommandEntry{}};
    static const CommandMap map{nullptr, entries};
    return map;
}

const CommandMap& CCmdTarget::GetCommandMap() const
{
    return ThisCommandMap();
}

bool CCmdTarget::DispatchToOwnHandlers(CommandRequest& request)
{
    for (const CommandMap* map = &GetCommandMap(); map; map = map->base) {
        for (const CommandEntry* entry = map->entries; entry->kind != CommandEntry::Kind::End; ++entry) {
            if (entry->Matches(request) && entry->invoke(*this, request))
                return true;
        }
    }
    return false;
}

bool CCmdTarget::OnCmdMsg(CommandRequest& request)
{
    return DispatchToOwnHandlers(request);
}
