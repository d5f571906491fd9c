// Answering the message boxes of the test process itself, for tests that
// call product procedures directly.
#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "harness.h"
#include "message_box.h"
#include "target_windows.h"

namespace {

struct Answerer {
    std::thread thread;
    std::atomic<bool> stop{false};
    std::function<int(const BoxInfo&)> decide;
    std::mutex lock;
    std::vector<std::string> seen;
};

Answerer* g_answerer = nullptr;

void AnswerLoop(Answerer* a)
{
    const DWORD pid = GetCurrentProcessId();
    while (!a->stop) {
        HWND box = FindMessageBox(pid);
        if (!box) {
            Sleep(20);
            continue;
        }
        BoxReading r;
        ReadMessageBox(box, 3000, &r);
        BoxInfo info = {r.caption, r.text, r.icon, r.buttons};
        int id = a->decide(info);
        {
            std::lock_guard<std::mutex> g(a->lock);
            a->seen.push_back(BoxLine(r));
        }
        if (!AnswerMessageBox(box, id, 10000)) {
            std::lock_guard<std::mutex> g(a->lock);
            a->seen.push_back("FAIL answer " + std::to_string(id));
            // Do not spin on a box that will not go.
            while (!a->stop && IsWindow(box) && IsWindowVisible(box))
                Sleep(50);
        }
    }
}

}  // namespace

void StartBoxAnswerer(std::function<int(const BoxInfo&)> decide)
{
    StopBoxAnswerer();
    g_answerer = new Answerer;
    g_answerer->decide = decide;
    g_answerer->thread = std::thread(AnswerLoop, g_answerer);
}

std::vector<std::string> StopBoxAnswerer()
{
    if (!g_answerer)
        return {};
    g_answerer->stop = true;
    g_answerer->thread.join();
    std::vector<std::string> seen = g_answerer->seen;
    delete g_answerer;
    g_answerer = nullptr;
    return seen;
}
