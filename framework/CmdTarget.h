#pragma once
// CCmdTarget: an object that handles commands (menu items, accelerators,
// buttons), control notifications and command-UI updates through a per-class
// table of handlers. A lookup walks the object's class and then its base
// classes; the first matching entry wins.
//
// Declaring handlers:
//     class CMyView : public CView {
//         DECLARE_DYNCREATE(CMyView)
//         DECLARE_COMMAND_MAP()
//     protected:
//         void OnEditCopy();                       // a command
//         void OnUpdateEditCopy(CCmdUI* ui);       // its enabling / check mark
//         void OnShowSurface(UINT id);             // a range of commands
//         bool OnToggle(UINT id);                  // false: not handled here, routing goes on
//         void OnNameChanged();                    // a control notification (EN_CHANGE ...)
//         void OnTabChanged(NMHDR* header, LRESULT* result);  // a WM_NOTIFY
//     };
// and in the .cpp file:
//     BEGIN_COMMAND_MAP(CMyView, CView)
//         ON_CMD(FWID_EDIT_COPY, OnEditCopy)
//         ON_CMD_UI(FWID_EDIT_COPY, OnUpdateEditCopy)
//         ON_CMD_RANGE(32800, 32803, OnShowSurface)
//         ON_CMD_RANGE(32805, 32807, OnToggle)
//         ON_CTL(EN_CHANGE, 1001, OnNameChanged)
//         ON_NOTIFY_CODE(TCN_SELCHANGE, 1002, OnTabChanged)
//     END_COMMAND_MAP()
// A class without DECLARE_COMMAND_MAP uses its base class's table. Handlers may
// be private: the table is built inside the class.

#include "framework/Object.h"

#include <windows.h>

#include <type_traits>

class CCmdTarget;
class CCmdUI;

// One request routed along command targets.
struct CommandRequest {
    enum class Kind { Execute, UpdateUI, Notify };

    Kind kind = Kind::Execute;
    UINT id = 0;
    // Execute: the notification code of WM_COMMAND (0 for menus, accelerators
    // and button clicks). Notify: the WM_NOTIFY code.
    UINT code = 0;
    // Execute: only say whether a handler exists, without running it.
    bool probeOnly = false;
    CCmdUI* ui = nullptr;          // UpdateUI
    NMHDR* header = nullptr;       // Notify
    LRESULT* result = nullptr;     // Notify

    static CommandRequest Command(UINT id, UINT code = 0)
    {
        CommandRequest request;
        request.id = id;
        request.code = code;
        return request;
    }
    static CommandRequest Probe(UINT id)
    {
        CommandRequest request = Command(id);
        request.probeOnly = true;
        return request;
    }
    static CommandRequest Update(CCmdUI* ui, UINT id)
    {
        CommandRequest request;
        request.kind = Kind::UpdateUI;
        request.id = id;
        request.ui = ui;
        return request;
    }
    static CommandRequest Notification(NMHDR* header, LRESULT* result)
    {
        CommandRequest request;
        request.kind = Kind::Notify;
        request.id = static_cast<UINT>(header->idFrom);
        request.code = header->code;
        request.header = header;
        request.result = result;
        return request;
    }
};

struct CommandEntry {
    enum class Kind : unsigned char { End, Command, Update, Notify };

    Kind kind = Kind::End;
    UINT code = 0;
    UINT firstId = 0;
    UINT lastId = 0;
    // Runs the handler; false when the handler declined and routing goes on.
    bool (*invoke)(CCmdTarget& target, CommandRequest& request) = nullptr;

    bool Matches(const CommandRequest& request) const;

    template <auto Handler>
    static constexpr CommandEntry Command(UINT code, UINT firstId, UINT lastId);
    template <auto Handler>
    static constexpr CommandEntry Update(UINT firstId, UINT lastId);
    template <auto Handler>
    static constexpr CommandEntry Notify(UINT code, UINT firstId, UINT lastId);
};

struct CommandMap {
    const CommandMap* base;        // null for CCmdTarget's own table
    const CommandEntry* entries;   // ends with an entry of kind End
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Handles a request or passes it along this target's route. The base looks
    // in the object's own tables; frames, views and documents extend the route.
    // An override that handles requests itself answers a probe (probeOnly)
    // with true without running anything.
    virtual bool OnCmdMsg(CommandRequest& request);

    // Runs the command through the route; true when some handler took it.
    bool ExecuteCommand(UINT id) { CommandRequest request = CommandRequest::Command(id); return OnCmdMsg(request); }
    // True when a handler for the command exists somewhere on the route.
    bool HasCommandHandler(UINT id) { CommandRequest request = CommandRequest::Probe(id); return OnCmdMsg(request); }

    virtual const CommandMap& GetCommandMap() const;

protected:
    static const CommandMap& ThisCommandMap();

    // Looks in this object's tables only (its class, then its base classes).
    bool DispatchToOwnHandlers(CommandRequest& request);
};

namespace command_map_detail {

template <class M>
struct MemberTraits;
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...)> {
    using Class = C;
};
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...) const> {
    using Class = C;
};

template <auto Handler>
using ClassOf = typename MemberTraits<decltype(Handler)>::Class;

// A handler's result: void counts as handled, a bool-like result says whether it was.
template <class F>
bool Handled(F&& call)
{
    if constexpr (std::is_void_v<decltype(call())>) {
        call();
        return true;
    } else {
        return static_cast<bool>(call());
    }
}

template <auto Handler>
bool InvokeCommand(CCmdTarget& target, CommandRequest& request)
{
    using Class = ClassOf<Handler>;
    Class& self = static_cast<Class&>(target);
    if (request.probeOnly)
        return true;
    if constexpr (std::is_invocable_v<decltype(Handler), Class&>) {
        return Handled([&] { return (self.*Handler)(); });
    } else {
        static_assert(std::is_invocable_v<decltype(Handler), Class&, UINT>,
                      "a command handler takes no argument or the command id");
        return Handled([&] { return (self.*Handler)(request.id); });
    }
}

bool RoutingContinues(const CommandRequest& request);

template <auto Handler>
bool InvokeUpdate(CCmdTarget& target, CommandRequest& request)
{
    using Class = ClassOf<Handler>;
    static_assert(std::is_invocable_v<decltype(Handler), Class&, CCmdUI*>,
                  "an update handler takes a CCmdUI*");
    (static_cast<Class&>(target).*Handler)(request.ui);
    return !RoutingContinues(request);
}

template <auto Handler>
bool InvokeNotify(CCmdTarget& target, CommandRequest& request)
{
    using Class = ClassOf<Handler>;
    Class& self = static_cast<Class&>(target);
    if constexpr (std::is_invocable_v<decltype(Handler), Class&, NMHDR*, LRESULT*>) {
        return Handled([&] { return (self.*Handler)(request.header, request.result); });
    } else {
        static_assert(std::is_invocable_v<decltype(Handler), Class&, UINT, NMHDR*, LRESULT*>,
                      "a notification handler takes (NMHDR*, LRESULT*) or (UINT id, NMHDR*, LRESULT*)");
        return Handled([&] { return (self.*Handler)(request.id, request.header, request.result); });
    }
}

}  // namespace command_map_detail

template <auto Handler>
constexpr CommandEntry CommandEntry::Command(UINT code, UINT firstId, UINT lastId)
{
    return CommandEntry{Kind::Command, code, firstId, lastId, &command_map_detail::InvokeCommand<Handler>};
}

template <auto Handler>
constexpr CommandEntry CommandEntry::Update(UINT firstId, UINT lastId)
{
    return CommandEntry{Kind::Update, 0, firstId, lastId, &command_map_detail::InvokeUpdate<Handler>};
}

template <auto Handler>
constexpr CommandEntry CommandEntry::Notify(UINT code, UINT firstId, UINT lastId)
{
    return CommandEntry{Kind::Notify, code, firstId, lastId, &command_map_detail::InvokeNotify<Handler>};
}

#define DECLARE_COMMAND_MAP()                        \
protected:                                           \
    static const CommandMap& ThisCommandMap();       \
                                                     \
public:                                              \
    const CommandMap& GetCommandMap() const override;

#define BEGIN_COMMAND_MAP(class_name, base_class_name)                                           \
    const CommandMap& class_name::GetCommandMap() const { return class_name::ThisCommandMap(); } \
    const CommandMap& class_name::ThisCommandMap()                                               \
    {                                                                                            \
        using ThisClass = class_name;                                                            \
        using BaseClass = base_class_name;                                                       \
        static_assert(std::is_base_of_v<BaseClass, ThisClass>, "the base class of the map");     \
        static const CommandEntry entries[] = {

#define END_COMMAND_MAP()                                                   \
            CommandEntry{}};                                                \
        static const CommandMap map{&BaseClass::ThisCommandMap(), entries}; \
        return map;                                                         \
    }

// Menu items, accelerators and button clicks (notification code 0).
#define ON_CMD(id, handler) CommandEntry::Command<&ThisClass::handler>(0, (id), (id)),
#define ON_CMD_RANGE(first_id, last_id, handler) \
    CommandEntry::Command<&ThisClass::handler>(0, (first_id), (last_id)),
// Enabling, check marks and texts of menu items and tool-bar buttons.
#define ON_CMD_UI(id, handler) CommandEntry::Update<&ThisClass::handler>((id), (id)),
#define ON_CMD_UI_RANGE(first_id, last_id, handler) \
    CommandEntry::Update<&ThisClass::handler>((first_id), (last_id)),
// WM_COMMAND notifications of controls (EN_CHANGE, CBN_SELCHANGE, LBN_DBLCLK ...).
#define ON_CTL(code, id, handler) \
    CommandEntry::Command<&ThisClass::handler>(static_cast<UINT>(code), (id), (id)),
#define ON_CTL_RANGE(code, first_id, last_id, handler) \
    CommandEntry::Command<&ThisClass::handler>(static_cast<UINT>(code), (first_id), (last_id)),
// WM_NOTIFY notifications (NM_CLICK, TCN_SELCHANGE, LVN_ITEMCHANGED ...).
#define ON_NOTIFY_CODE(code, id, handler) \
    CommandEntry::Notify<&ThisClass::handler>(static_cast<UINT>(code), (id), (id)),
#define ON_NOTIFY_CODE_RANGE(code, first_id, last_id, handler) \
    CommandEntry::Notify<&ThisClass::handler>(static_cast<UINT>(code), (first_id), (last_id)),
