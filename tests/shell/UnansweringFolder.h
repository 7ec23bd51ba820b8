#pragma once
// A folder that does not answer, as a slow network share may not: the Images
// pane's list filler reading it hears nothing, not even its stop flag, until
// the folder answers; then it goes on as the pane's own filler does.
//
//     UnansweringFolder folder;
//     panel.SetWorkerProcedures(&UnansweringFolder::Filler, nullptr);

#include "imaging/ThumbnailWorkers.h"

#include <windows.h>

#include <atomic>
#include <thread>

class UnansweringFolder {
public:
    UnansweringFolder() { s_answer = ::CreateEventA(nullptr, TRUE, FALSE, nullptr); }
    ~UnansweringFolder()
    {
        Answer();
        if (m_answerer.joinable())
            m_answerer.join();
        ::CloseHandle(s_answer);
        s_answer = nullptr;
    }
    UnansweringFolder(const UnansweringFolder&) = delete;
    UnansweringFolder& operator=(const UnansweringFolder&) = delete;

    static UINT Filler(LPVOID fill)
    {
        ::WaitForSingleObject(s_answer, INFINITE);
        return ImageListThreadProc(fill);
    }
    // Answers after a while on a thread of its own, so that a pane that
    // waits for its filler is not stuck for ever.
    void AnswerLater(DWORD milliseconds)
    {
        m_answerer = std::thread([this, milliseconds] {
            ::Sleep(milliseconds);
            Answer();
        });
    }
    void Answer()
    {
        m_answered.store(true);
        ::SetEvent(s_answer);
    }
    bool Answered() const { return m_answered.load(); }

private:
    static inline HANDLE s_answer = nullptr;
    std::atomic<bool> m_answered{false};
    std::thread m_answerer;
};
