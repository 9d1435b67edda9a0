// The end-of-stream monitor thread: every 100 ms it acts on the end that the previous poll
// found (rewind with XLoop, else the stop sequence), or polls the engine again.
#include "CorvaneCtrl.h"

namespace {
constexpr DWORD kMonitorPeriod = 100;
}  // namespace

void CCorvaneCtrl::StartMonitor()
{
    ResetEvent(monitorStop);
    monitorThread = CreateThread(nullptr, 0, &CCorvaneCtrl::MonitorThreadProc, this, 0, nullptr);
}

void CCorvaneCtrl::EndMonitor()
{
    if (monitorThread) {
        SetEvent(monitorStop);
        // The monitor never waits for this thread, but a platform call it is inside may send
        // a message to one of this thread's windows: such sent messages are let through.
        // Posted messages and timer ticks stay queued, so no event fires meanwhile.
        while (MsgWaitForMultipleObjects(1, &monitorThread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG message;
            PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        CloseHandle(monitorThread);
        monitorThread = nullptr;
    }
    // Whatever an ended monitor has posted is stale from now on.
    InterlockedIncrement(&monitorGeneration);
}

DWORD WINAPI CCorvaneCtrl::MonitorThreadProc(LPVOID parameter)
{
    static_cast<CCorvaneCtrl*>(parameter)->MonitorLoop();
    return 0;
}

void CCorvaneCtrl::MonitorLoop()
{
    // The stop request is checked after every wait and again before acting on the end, so
    // the thread ends only between engine calls, holding nothing.
    while (WaitForSingleObject(monitorStop, kMonitorPeriod) == WAIT_TIMEOUT) {
        if (engine.IsPlaybackFinished() != 1) {
            engine.PollPlayback();
            continue;
        }
        if (MonitorStopRequested())
            return;
        if (!XLoop) {
            StopSequence();
            return;
        }
        engine.SetPlaybackFinished(0);
        engine.SetSliderPosition(0);
    }
}
