// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include "system_function.h"
#include "unicode.h"

#include <oleacc.h>

#include <algorithm>
#include <cstddef>
#include <string>

namespace {

// Dynamic Annotation's service and the properties it sets, written out here: mingw-w64's headers
// declare some of them only for linking against oleacc's import library, and lack the live setting.
constexpr GUID accPropServicesClass{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID accPropServicesInterface{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID nameProperty{
    0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
constexpr GUID descriptionProperty{
    0x4d48dfe4, 0xbd3f, 0x491f, {0xa6, 0x48, 0x49, 0x2d, 0x6f, 0x20, 0xc5, 0x88}};
constexpr GUID liveSettingProperty{
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
// UI Automation's LiveSetting: Off, Polite, Assertive.
constexpr LONG politeLiveSetting = 1;

constexpr std::array<GUID, 3> properties{nameProperty, descriptionProperty, liveSettingProperty};

using CoInitializeExFunction = HRESULT(WINAPI *)(LPVOID, DWORD);
using CoCreateInstanceFunction = HRESULT(WINAPI *)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID *);
using CoUninitializeFunction = void(WINAPI *)();

HWND childStatic(HWND window, std::string_view text, DWORD style)
{
    return CreateWindowExW(0, L"STATIC", toWide(text).c_str(),
                           WS_CHILD | SS_NOPREFIX | SS_LEFT | style, 0, 0, 0, 0, window, nullptr,
                           nullptr, nullptr);
}

} // namespace

AccessibleControls::~AccessibleControls()
{
    detach();
}

void AccessibleControls::attach(HWND window,
                                const std::array<HWND, WindowForm::controlCount> &controls)
{
    using WindowForm::Kind;
    const auto &rows = WindowForm::controls();
    for (std::size_t position = 0; position < rows.size(); ++position) {
        const WindowForm::Control &row = rows[position];
        HWND control = controls.at(position);
        if (row.accessibleName.empty()) {
            continue;
        }
        if (row.kind == Kind::TextBox || row.kind == Kind::InfoBox) {
            // The label goes just above its box: SetWindowPos puts a window below the one named.
            HWND label = childStatic(window, row.accessibleName, 0);
            HWND above = GetWindow(control, GW_HWNDPREV);
            SetWindowPos(label, above != nullptr ? above : HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            madeControls.push_back(label);
        } else if (row.kind == Kind::Frame) {
            SetWindowTextW(control, toWide(row.accessibleName).c_str());
        }
    }
    // Below every other control, so that no text box takes the answer for its name.
    announcerControl = childStatic(window, "", WS_VISIBLE);
    SetWindowPos(announcerControl, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    madeControls.push_back(announcerControl);

    ole32 = LoadLibraryW(L"ole32.dll");
    const auto coInitializeEx = systemFunction<CoInitializeExFunction>(ole32, "CoInitializeEx");
    const auto coCreateInstance =
        systemFunction<CoCreateInstanceFunction>(ole32, "CoCreateInstance");
    if (coInitializeEx == nullptr || coCreateInstance == nullptr) {
        return;
    }
    comStarted = SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    void *made = nullptr;
    if (FAILED(coCreateInstance(accPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                accPropServicesInterface, &made))) {
        return;
    }
    services = static_cast<IAccPropServices *>(made);
    annotate(window, nameProperty, WindowForm::window().accessibleName);
    for (std::size_t position = 0; position < rows.size(); ++position) {
        annotate(controls.at(position), nameProperty, rows[position].accessibleName);
        annotate(controls.at(position), descriptionProperty, rows[position].accessibleDescription);
    }
    // VARIANT is COM's tagged union: its tag, then the member the tag names.
    VARIANT polite{};
    polite.vt = VT_I4;               // NOLINT(cppcoreguidelines-pro-type-union-access)
    polite.lVal = politeLiveSetting; // NOLINT(cppcoreguidelines-pro-type-union-access)
    if (SUCCEEDED(services->SetHwndProp(announcerControl, static_cast<DWORD>(OBJID_CLIENT),
                                        CHILDID_SELF, liveSettingProperty, polite))) {
        annotatedControls.push_back(announcerControl);
    }
}

void AccessibleControls::annotate(HWND control, const GUID &property, std::string_view text)
{
    if (services == nullptr || text.empty()) {
        return;
    }
    if (SUCCEEDED(services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                           property, toWide(text).c_str())) &&
        std::find(annotatedControls.begin(), annotatedControls.end(), control) ==
            annotatedControls.end()) {
        annotatedControls.push_back(control);
    }
}

void AccessibleControls::setFont(HFONT font) const
{
    for (HWND control : madeControls) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void AccessibleControls::describe(HWND control, std::string_view description)
{
    annotate(control, descriptionProperty, description);
}

void AccessibleControls::announce(std::string_view answer)
{
    if (answer.empty() || announcerControl == nullptr) {
        return;
    }
    SetWindowTextW(announcerControl, toWide(answer).c_str());
    NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, announcerControl, OBJID_CLIENT, CHILDID_SELF);
}

void AccessibleControls::detach()
{
    if (services != nullptr) {
        for (HWND control : annotatedControls) {
            services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                     properties.data(), static_cast<int>(properties.size()));
        }
        services->Release();
        services = nullptr;
    }
    annotatedControls.clear();
    madeControls.clear();
    if (comStarted) {
        if (const auto coUninitialize =
                systemFunction<CoUninitializeFunction>(ole32, "CoUninitialize");
            coUninitialize != nullptr) {
            coUninitialize();
        }
        comStarted = false;
    }
    if (ole32 != nullptr) {
        FreeLibrary(ole32);
        ole32 = nullptr;
    }
}
