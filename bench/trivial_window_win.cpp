// The yardstick of bench/startup_bench.sh: the least a Win32 window program
// does under Wine (register a class, create and show a window, handle what is
// pending, end; the window goes with the process).  Built with the same
// compiler and options as voltanor.exe.  With BENCH_DESTROY it destroys its
// window before it ends, as voltanor.exe's closing does.
// With BENCH_IMPORT_WINMM / BENCH_IMPORT_OLE it also imports the wave-output /
// COM libraries voltanor.exe links (calling them only on a branch never taken),
// so that each library's load cost under Wine can be told apart from ours.
// With BENCH_PLAY it also opens the wave device as voltanor.exe does (8-bit
// mono, 11025 Hz), plays a tenth of a second of one tone and ends: what Wine's
// sound path alone costs.
// With BENCH_REPORT it does all that voltanor.exe does for the report but
// speak: COM for the thread, the C++ standard streams, a window of the outer
// size given in VOLTANOR_BENCH_WINDOW ("WIDTHxHEIGHT") painted whole with a
// font of its own, the tone played once per device open, VOLTANOR_BENCH_OPENS
// times (as often as voltanor.exe opens it in the run before),
// and the window destroyed at the end.
// With BENCH_REPORT=2 (trivial_stream) it plays instead, in one open, the
// whole sound voltanor.exe played in the run before (the raw capture file
// VOLTANOR_BENCH_SOUND, its format in VOLTANOR_BENCH_SOUND_FORMAT as
// "RATE-CHANNELS-BITS"): the least Wine's sound path costs for the report.
#include <windows.h>
#if BENCH_IMPORT_WINMM || BENCH_PLAY || BENCH_REPORT
#include <mmsystem.h>
#endif
#if BENCH_IMPORT_OLE || BENCH_REPORT
#include <objbase.h>
#include <oleauto.h>
#endif
#if BENCH_REPORT
#include <cstdio>
#include <cstdlib>
#include <iostream>
#endif

namespace {

#if BENCH_REPORT
const char* const reportLines[] = {"Tempo restante: desconhecido.", "80 por cento restante.",
                                   "Energia externa: ligada."};
HFONT reportFont;

void paintReport(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HGDIOBJ before = SelectObject(dc, reportFont);
    SetTextColor(dc, RGB(192, 192, 192));
    SetBkColor(dc, RGB(0, 0, 0));
    int y = 0;
    for (const char* line : reportLines) {
        TextOutA(dc, 0, y, line, lstrlenA(line));
        y += 16;
    }
    SelectObject(dc, before);
    EndPaint(window, &paint);
}
#endif

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
#if BENCH_REPORT
    if (message == WM_PAINT) {
        paintReport(window);
        return 0;
    }
#endif
    return DefWindowProcA(window, message, wParam, lParam);
}

// Never true at run time (no command line is given), but the linker cannot know.
void touchImports(const char* commandLine) {
    if (commandLine[0] != '*') return;
#if BENCH_IMPORT_WINMM
    waveOutGetNumDevs();
#endif
#if BENCH_IMPORT_OLE
    CoInitialize(nullptr);
    SysFreeString(SysAllocStringLen(L"", 0));
#endif
}

#if BENCH_PLAY || BENCH_REPORT
constexpr DWORD largestSound = 4 << 20;
constexpr int mostBlocks = (largestSound + 65533) / 65534;

// Opens the wave device as voltanor.exe does (PCM, done notices by event),
// queues the samples at once in blocks of voltanor.exe's size, waits until
// every block is back and closes the device.
void playInOneOpen(char* samples, DWORD length, unsigned rate, unsigned channels, unsigned bits) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = rate;
    format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    format.wBitsPerSample = static_cast<WORD>(bits);
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT device;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done), 0, CALLBACK_EVENT) !=
        MMSYSERR_NOERROR)
        return;
    const DWORD blockSize = 65534 - 65534 % format.nBlockAlign;
    static WAVEHDR headers[mostBlocks + 1];  // +1: a block size rounded down to whole frames
    int count = 0;
    for (DWORD at = 0; at < length && count <= mostBlocks; at += blockSize, ++count) {
        headers[count] = {};
        headers[count].lpData = samples + at;
        headers[count].dwBufferLength = length - at < blockSize ? length - at : blockSize;
        waveOutPrepareHeader(device, &headers[count], sizeof(WAVEHDR));
        waveOutWrite(device, &headers[count], sizeof(WAVEHDR));
    }
    for (int i = 0; i < count; ++i) {
        while (!(headers[i].dwFlags & WHDR_DONE)) WaitForSingleObject(done, 1000);
        waveOutUnprepareHeader(device, &headers[i], sizeof(WAVEHDR));
    }
    waveOutClose(device);
    CloseHandle(done);
}
#endif

#if BENCH_PLAY || BENCH_REPORT == 1
// A tenth of a second of one tone, 8-bit mono at 11025 Hz.
void playTone() {
    static char samples[1102];
    for (unsigned i = 0; i < sizeof samples; ++i) samples[i] = static_cast<char>(i % 25 < 12 ? 160 : 96);
    playInOneOpen(samples, sizeof samples, 11025, 1, 8);
}
#endif

#if BENCH_REPORT == 2
void playReportSound() {
    const char* path = std::getenv("VOLTANOR_BENCH_SOUND");
    const char* formatText = std::getenv("VOLTANOR_BENCH_SOUND_FORMAT");
    unsigned rate = 0, channels = 0, bits = 0;
    std::FILE* file = path ? std::fopen(path, "rb") : nullptr;
    if (!file || !formatText || std::sscanf(formatText, "%u-%u-%u", &rate, &channels, &bits) != 3) return;
    static char sound[largestSound];
    const DWORD length = static_cast<DWORD>(std::fread(sound, 1, sizeof sound, file));
    std::fclose(file);
    playInOneOpen(sound, length, rate, channels, bits);
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    touchImports(commandLine);
    int width = 320, height = 200;
#if BENCH_REPORT
    CoInitialize(nullptr);
    if (const char* size = std::getenv("VOLTANOR_BENCH_WINDOW")) std::sscanf(size, "%dx%d", &width, &height);
    reportFont = CreateFontA(16, 8, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Courier New");
#endif
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "BenchTrivial";
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowA("BenchTrivial", "Bench", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, width, height, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
#if BENCH_PLAY
    playTone();
#endif
#if BENCH_REPORT
    for (const char* line : reportLines) std::cout << line << '\n';
    std::cout.flush();
#if BENCH_REPORT == 2
    playReportSound();
#else
    const char* opensText = std::getenv("VOLTANOR_BENCH_OPENS");
    for (int opens = opensText ? std::atoi(opensText) : 1; opens > 0; --opens) playTone();
#endif
#endif
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
#if BENCH_DESTROY || BENCH_REPORT
    DestroyWindow(window);
#endif
    return 0;
}
