#include "player.h"

#include <commctrl.h>

#include <functional>

#include "file_ops.h"
#include "message_box.h"
#include "screen.h"
#include "target_windows.h"

namespace {

const int kProgressBarId = 104;
const DWORD kCloseSettleMs = 500;
const DWORD kIconWaitMs = 3000;
const DWORD kPressSettleMs = 1000;

struct Player {
    HANDLE process;
    DWORD pid;
    HWND current;
    HWND underBox;  // the current window when `box` took over; current again after `answer`
    DWORD timeoutMs;
    Transcript* t;
    DWORD waited;  // how long the last wait took, for FAIL lines
};

std::string Echo(const ScenarioLine& s)
{
    std::string e = s.verb;
    for (const ScenarioArg& a : s.args)
        e += " " + (a.isString ? QuoteText(a.text) : a.text);
    return e;
}

int TargetRunning(const Player& p)
{
    return WaitForSingleObject(p.process, 0) == WAIT_TIMEOUT;
}

// Polls until done() or the timeout; stops early once the target has exited
// unless the condition is about the exit itself.
int WaitUntil(Player* p, DWORD ms, const std::function<bool()>& done, bool evenIfExited = false)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (done()) {
            p->waited = GetTickCount() - start;
            return 1;
        }
        p->waited = GetTickCount() - start;
        if (p->waited >= ms || (!evenIfExited && !TargetRunning(*p)))
            return 0;
        Sleep(20);
    }
}

// The bar of the current window, or, while a box is current, of the page
// under it: the bar goes on moving while the worker waits in a box.
int ReadProgress(const Player& p, long* pos)
{
    HWND bar = GetDlgItem(p.current, kProgressBarId);
    if (!bar && p.underBox && IsWindow(p.underBox))
        bar = GetDlgItem(p.underBox, kProgressBarId);
    DWORD_PTR r = 0;
    if (!bar || !SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_NORMAL, 5000, &r))
        return 0;
    *pos = (long)r;
    return 1;
}

HWND FocusedControl(HWND w)
{
    GUITHREADINFO gi;
    ZeroMemory(&gi, sizeof gi);
    gi.cbSize = sizeof gi;
    DWORD thread = GetWindowThreadProcessId(w, NULL);
    if (!thread || !GetGUIThreadInfo(thread, &gi))
        return NULL;
    return gi.hwndFocus;
}

// Escape and the close box: both reach the dialog manager as the user's would,
// then the window gets time to react.
int KeyOrClose(Player* p, bool escape)
{
    const char* verb = escape ? "escape" : "close";
    if (!p->current || !IsWindow(p->current)) {
        AddTranscriptLine(p->t, std::string(verb) + ": closed");
        return 1;
    }
    if (escape) {
        HWND to = FocusedControl(p->current);
        if (!to)
            to = p->current;
        PostMessageA(to, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        PostMessageA(to, WM_KEYUP, VK_ESCAPE, 0xC0010001);
    } else {
        PostMessageA(p->current, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    Sleep(kCloseSettleMs);
    bool open = IsWindow(p->current) && IsWindowVisible(p->current);
    AddTranscriptLine(p->t, std::string(verb) + (open ? ": still open" : ": closed"));
    return 1;
}

// One command; 1 done, 0 failed (the caller writes the FAIL line).
int Step(Player* p, const ScenarioLine& s)
{
    const std::string& v = s.verb;
    long n = s.args.empty() ? 0 : s.args[0].number;
    p->waited = 0;

    if (v == "timeout") {
        p->timeoutMs = (DWORD)n;
        return 1;
    }
    if (v == "sleep") {
        Sleep((DWORD)n);
        return 1;
    }
    if (v == "page") {
        const std::string& caption = s.args[0].text;
        long id = s.args.size() > 1 ? s.args[1].number : -1;
        HWND found = NULL;
        if (!WaitUntil(p, p->timeoutMs, [&] {
                found = FindPage(p->pid, caption, id, NULL);
                return found != NULL;
            }))
            return 0;
        p->current = found;
        AddTranscriptLine(p->t, "page " + QuoteText(caption));
        return 1;
    }
    if (v == "box") {
        HWND found = NULL;
        if (!WaitUntil(p, p->timeoutMs, [&] {
                found = FindMessageBox(p->pid);
                return found != NULL;
            }))
            return 0;
        if (p->current != found)
            p->underBox = p->current;
        p->current = found;
        BoxReading b;
        ReadMessageBox(found, kIconWaitMs, &b);
        AddTranscriptLine(p->t, BoxLine(b));
        return 1;
    }
    if (v == "nobox") {
        HWND found = NULL;
        WaitUntil(p, (DWORD)n, [&] {
            found = FindMessageBox(p->pid);
            return found != NULL;
        }, true);
        if (found) {
            BoxReading b;
            ReadMessageBox(found, kIconWaitMs, &b);
            AddTranscriptLine(p->t, BoxLine(b));
            return 0;
        }
        AddTranscriptLine(p->t, "nobox");
        return 1;
    }
    if (v == "exit") {
        if (!WaitUntil(p, p->timeoutMs, [&] { return !TargetRunning(*p); }, true))
            return 0;
        DWORD code = 0;
        GetExitCodeProcess(p->process, &code);
        AddTranscriptLine(p->t, "exit " + std::to_string(code));
        return 1;
    }
    if (v == "move" || v == "delete" || v == "readonly") {
        int ok = v == "move"     ? MovePath(s.args[0].text, s.args[1].text)
                 : v == "delete" ? DeletePath(s.args[0].text)
                                 : MakeReadOnly(s.args[0].text);
        if (ok)
            AddTranscriptLine(p->t, v);
        return ok;
    }

    // The rest act on the current window; these two also on one that went.
    if (!p->current)
        return 0;
    if (v == "gone") {
        if (!WaitUntil(p, p->timeoutMs, [&] { return !IsWindow(p->current); }, true))
            return 0;
        AddTranscriptLine(p->t, "gone");
        return 1;
    }
    if (v == "escape" || v == "close")
        return KeyOrClose(p, v == "escape");
    if (!IsWindow(p->current))
        return 0;
    if (v == "focus") {
        HWND f = FocusedControl(p->current);
        AddTranscriptLine(p->t, f ? "focus " + std::to_string(GetDlgCtrlID(f)) : "focus none");
        return 1;
    }
    if (v == "screenshot") {
        if (!SaveWindowBmp(p->current, s.args[0].text))
            return 0;
        AddTranscriptLine(p->t, "screenshot");
        return 1;
    }
    if (v == "answer") {
        if (!AnswerMessageBox(p->current, (int)n, p->timeoutMs))
            return 0;
        // The box is gone: the page it was shown over is current again.
        p->current = p->underBox;
        p->underBox = NULL;
        AddTranscriptLine(p->t, "answer " + std::to_string(n));
        return 1;
    }
    if (v == "progress") {
        long pos = 0;
        if (!ReadProgress(*p, &pos))
            return 0;
        AddTranscriptLine(p->t, "progress " + std::to_string(pos));
        return 1;
    }
    if (v == "waitprogress") {
        if (!WaitUntil(p, p->timeoutMs, [&] {
                long pos = 0;
                return ReadProgress(*p, &pos) && pos >= n;
            }))
            return 0;
        AddTranscriptLine(p->t, "progress >= " + std::to_string(n));
        return 1;
    }

    // Commands on one control of the current window.
    HWND control = GetDlgItem(p->current, (int)n);
    if (!control)
        return 0;
    if (v == "text") {
        AddTranscriptLine(p->t, "text " + std::to_string(n) + " " + QuoteText(WindowText(control)));
        return 1;
    }
    if (v == "set") {
        DWORD_PTR r = 0;
        if (!SendMessageTimeoutA(control, WM_SETTEXT, 0, (LPARAM)s.args[1].text.c_str(),
                                 SMTO_NORMAL, 5000, &r))
            return 0;
        AddTranscriptLine(p->t, "set " + std::to_string(n));
        return 1;
    }
    if (v == "type") {
        for (unsigned char c : s.args[1].text) {
            DWORD_PTR r = 0;
            if (!SendMessageTimeoutA(control, WM_CHAR, c, 1, SMTO_NORMAL, 5000, &r))
                return 0;
        }
        AddTranscriptLine(p->t, "type " + std::to_string(n));
        return 1;
    }
    if (v == "press") {
        HWND window = p->current;
        HWND boxBefore = FindMessageBox(p->pid);
        if (!PostButtonClick(window, (int)n))
            return 0;
        // A posted click is handled some time later, and nothing tells us
        // when. Wait for its effect (the window hides or goes, a box opens,
        // the window is disabled, the program ends) so that a following
        // `page` cannot catch the page that is about to close.
        WaitUntil(p, kPressSettleMs, [&] {
            HWND box = FindMessageBox(p->pid);
            return !IsWindow(window) || !IsWindowVisible(window) || !IsWindowEnabled(window) ||
                   (box && box != boxBefore);
        });
        AddTranscriptLine(p->t, "press " + std::to_string(n));
        return 1;
    }
    return 0;
}

}  // namespace

void AddTranscriptLine(Transcript* t, const std::string& line)
{
    t->lines.push_back(line);
    if (t->file) {
        fputs(line.c_str(), t->file);
        fputc('\n', t->file);
        fflush(t->file);
    }
}

void ListWindows(DWORD pid, Transcript* t)
{
    for (HWND w : VisibleTopWindows(pid))
        AddTranscriptLine(t, "window " + QuoteText(WindowText(w)) + " " + WindowClass(w));
}

int PlayScenario(const std::vector<ScenarioLine>& lines, HANDLE process, DWORD pid,
                 Transcript* t)
{
    Player p = {process, pid, NULL, NULL, 10000, t, 0};
    bool sawExit = false;
    for (const ScenarioLine& s : lines) {
        if (!Step(&p, s)) {
            AddTranscriptLine(t, "FAIL " + Echo(s) + " (waited " + std::to_string(p.waited) + " ms)");
            ListWindows(pid, t);
            return 0;
        }
        sawExit = sawExit || s.verb == "exit";
    }
    if (sawExit)
        return 1;
    ScenarioLine last;
    last.lineNo = 0;
    last.verb = "exit";
    if (!Step(&p, last)) {
        AddTranscriptLine(t, "FAIL exit (waited " + std::to_string(p.waited) + " ms)");
        ListWindows(pid, t);
        return 0;
    }
    return 1;
}
