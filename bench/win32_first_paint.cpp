// SPDX-License-Identifier: MIT
// Start-up of the Windows edition against a bare Win32 window with the same controls: the time
// from starting a program until its window shows its background colour, for each program in
// turn, RUNS times. Prints the medians and the ratio of the first program to the second.
//
//     win32_first_paint.exe RUNS EXE1 CLASS1 EXE2 CLASS2
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Milliseconds until the window of this class shows the background at (4, 4) of its client
// area; negative when it never does.
double firstPaint(const wchar_t *program, const wchar_t *className)
{
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return -1;
    }
    double elapsed = -1;
    for (int attempt = 0; attempt < 20000 && elapsed < 0; ++attempt) {
        if (HWND window = FindWindowW(className, nullptr)) {
            HDC dc = GetDC(window);
            if (GetPixel(dc, 4, 4) == RGB(192, 192, 255)) {
                QueryPerformanceCounter(&now);
                elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
            }
            ReleaseDC(window, dc);
        }
        if (elapsed < 0) {
            Sleep(1);
        }
    }
    if (HWND window = FindWindowW(className, nullptr)) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 6) {
        std::fputs("usage: win32_first_paint.exe RUNS EXE1 CLASS1 EXE2 CLASS2\n", stderr);
        return 2;
    }
    const int runs = std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10)));
    std::vector<double> first, second;
    firstPaint(argv[2], argv[3]); // the first start of all also loads Wine's own libraries
    for (int run = 0; run < runs; ++run) {
        first.push_back(firstPaint(argv[2], argv[3]));
        second.push_back(firstPaint(argv[4], argv[5]));
        if (first.back() < 0 || second.back() < 0) {
            std::fputs("a window never showed its background\n", stderr);
            return 1;
        }
    }
    const double a = median(first), b = median(second);
    std::printf("%ls: %.1f ms to first paint (median of %d)\n", argv[2], a, runs);
    std::printf("%ls: %.1f ms to first paint (median of %d)\n", argv[4], b, runs);
    std::printf("ratio: %.3f\n", a / b);
    return 0;
}
