#include "harness/clip_peers.h"
#include "agents/clip_exchange.h"
#include "harness/harness.h"
#include "harness/hooking.h"
#include "harness/peers.h"

#include <stdio.h>
#include <vector>

namespace harness {

std::string bytes_of(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// Another program may hold the clipboard open for a moment. Reading needs no owner window.
static bool open_clipboard() {
    return wait_until([] { return OpenClipboard(nullptr) != FALSE; }, 3000);
}

bool empty_clipboard() {
    clip_exchange::owned_clipboard clipboard;
    return clipboard.open() && EmptyClipboard();
}

static bool put(UINT format, HANDLE data) {
    clip_exchange::owned_clipboard clipboard;
    return clipboard.put(format, data);
}

bool set_clipboard_block(const std::string& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return false;
    if (void* p = GlobalLock(block)) {
        memcpy(p, bytes.data(), bytes.size());
        GlobalUnlock(block);
    }
    if (put(CF_UNICODETEXT, block)) return true;
    GlobalFree(block);
    return false;
}

bool set_clipboard_text(const std::wstring& text) {
    return set_clipboard_block(std::string(reinterpret_cast<const char*>(text.c_str()),
                                           (text.size() + 1) * sizeof(wchar_t)));
}

// A bitmap of the screen's format (bits 0) or a device-dependent one of `bits` per pixel.
static HBITMAP make_bitmap(int w, int h, int bits, uint32_t (*colour_at)(int, int)) {
    std::vector<uint32_t> px;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            px.push_back(colour_at(x, y));
    BITMAPINFO bi = clip_exchange::top_down(w, h);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp =
        bits ? CreateBitmap(w, h, 1, UINT(bits), nullptr) : CreateCompatibleBitmap(screen, w, h);
    if (bmp && SetDIBits(screen, bmp, 0, UINT(h), px.data(), &bi, DIB_RGB_COLORS) != h) {
        DeleteObject(bmp);
        bmp = nullptr;
    }
    ReleaseDC(nullptr, screen);
    return bmp;
}

// A 32-bit program's clipboard bitmap is exchanged through the 32-bit build's clipboard agent
// (tests/agents/clip_agent.cpp says why), in the picture file of clip_exchange.h.
static std::wstring agent_file() {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"clip-agent-" + std::to_wstring(GetCurrentProcessId()) + L".bin";
}

static int run_clip_agent(const wchar_t* verb, const std::wstring& file) {
    const std::wstring exe = agent_dir() + L"\\clip_agent.exe";
    std::wstring cmd = L"\"" + exe + L"\" " + verb + L" \"" + file + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi)) {
        ADD_FAILURE() << "cannot start the clipboard agent, error " << GetLastError();
        return -1;
    }
    DWORD code = DWORD(-1);
    if (WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return int(code);
}

bool set_clipboard_bitmap(int w, int h, uint32_t (*colour_at)(int x, int y), int bits) {
    if (driving_32bit()) {
        clip_exchange::picture p;
        p.width = w;
        p.height = h;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++)
                p.px.push_back(colour_at(x, y));
        const std::wstring file = agent_file();
        if (!clip_exchange::write_picture(file.c_str(), p)) {
            ADD_FAILURE() << "a picture of " << w << " x " << h << " cannot go to the agent";
            return false;
        }
        const bool taken = run_clip_agent(L"put", file) == 0;
        DeleteFileW(file.c_str());
        return taken;
    }
    HBITMAP bmp = make_bitmap(w, h, bits, colour_at);
    if (bmp && put(CF_BITMAP, bmp)) return true;
    DeleteObject(bmp);
    return false;
}

bool clipboard_has(UINT format) {
    return IsClipboardFormatAvailable(format) != FALSE;
}

std::vector<uint8_t> clipboard_bytes(UINT format) {
    std::vector<uint8_t> bytes;
    if (!open_clipboard()) return bytes;
    if (HANDLE data = GetClipboardData(format)) {
        if (const auto* p = static_cast<const uint8_t*>(GlobalLock(data))) {
            bytes.assign(p, p + GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

std::vector<uint32_t> clipboard_bitmap(int* w, int* h) {
    std::vector<uint32_t> px;
    *w = *h = 0;
    if (driving_32bit()) {
        const std::wstring file = agent_file();
        clip_exchange::picture p;
        if (run_clip_agent(L"get", file) == 0 && clip_exchange::read_picture(file.c_str(), &p)) {
            *w = p.width;
            *h = p.height;
            px = std::move(p.px);
            for (auto& c : px)
                c &= 0xFFFFFF;
        }
        DeleteFileW(file.c_str());
        return px;
    }
    if (!open_clipboard()) return px;
    if (auto bmp = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        BITMAP bm{};
        if (GetObjectW(bmp, sizeof bm, &bm) == sizeof bm && bm.bmWidth > 0 && bm.bmHeight > 0) {
            BITMAPINFO bi = clip_exchange::top_down(bm.bmWidth, bm.bmHeight);
            px.resize(size_t(bm.bmWidth) * bm.bmHeight);
            HDC screen = GetDC(nullptr);
            if (GetDIBits(screen, bmp, 0, bm.bmHeight, px.data(), &bi, DIB_RGB_COLORS)) {
                *w = bm.bmWidth;
                *h = bm.bmHeight;
                for (auto& p : px)
                    p &= 0xFFFFFF;
            } else {
                px.clear();
            }
            ReleaseDC(nullptr, screen);
        }
    }
    CloseClipboard();
    return px;
}

static std::string utf8_of(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string s(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), s.data(), n, nullptr, nullptr);
    return s;
}

// Every byte as an octal escape of printf, so that no byte of the text means anything to the
// shell.
bool xclip_put(const std::wstring& text) {
    std::string escaped;
    char piece[8];
    for (unsigned char c : utf8_of(text)) {
        snprintf(piece, sizeof piece, "\\%03o", c);
        escaped += piece;
    }
    return run_unix("printf '" + escaped + "' | xclip -selection clipboard -i") == 0;
}

bool xclip_get(std::wstring* text) {
    std::string out;
    if (run_unix("xclip -selection clipboard -o", &out) != 0) return false;
    int n = MultiByteToWideChar(CP_UTF8, 0, out.data(), int(out.size()), nullptr, 0);
    text->assign(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, out.data(), int(out.size()), text->data(), n);
    return true;
}

} // namespace harness
