#include "Driver.h"

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr const char kMainWindowTitle[] = "Nicset v1.0";

bool g_windowMissed = false;
constexpr const char kDialogClass[] = "#32770";

std::string ModuleDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of('\\'));
}

void DeleteDirectoryContents(const std::string& directory) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = directory + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteDirectoryContents(path);
            RemoveDirectoryA(path.c_str());
        } else {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

struct EnumContext {
    DWORD processId;
    std::vector<HWND>* windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto* enumContext = reinterpret_cast<EnumContext*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == enumContext->processId && IsWindowVisible(window))
        enumContext->windows->push_back(window);
    return TRUE;
}

// What the screen shows inside `rect` (screen coordinates), as the rows of
// a 24-bit bitmap, bottom row first; empty for an empty rectangle.
std::string CaptureScreen(const RECT& rect, BITMAPINFOHEADER* header) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return std::string();
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, previous);

    *header = BITMAPINFOHEADER{};
    header->biSize = sizeof(*header);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    std::string pixels(stride * static_cast<DWORD>(height), '\0');
    GetDIBits(memory, picture, 0, static_cast<UINT>(height), &pixels[0],
              reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string NicsetPath() {
    return ModuleDirectory() + "\\Nicset.exe";
}

std::string ScratchDirectory(const std::string& name) {
    const std::string root = ModuleDirectory() + "\\e2e-work";
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string directory = root + "\\" + name;
    CreateDirectoryA(directory.c_str(), nullptr);
    DeleteDirectoryContents(directory);
    return directory;
}

HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = find()) != nullptr; }, timeoutMs);
    if (found == nullptr && timeoutMs >= kMustComeMs) {
        ADD_FAILURE() << "a window did not come within " << timeoutMs / 1000
                      << " s; the rest of this suite is skipped";
        g_windowMissed = true;
    }
    return found;
}

bool WindowMissed() {
    return g_windowMissed;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void WatchBriefly() {
    std::this_thread::sleep_for(std::chrono::milliseconds(kMustNotComeMs));
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    std::vector<HWND> windows;
    EnumContext context{processId, &windows};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&context));
    return windows;
}

namespace {

std::string Narrow(const wchar_t* wide) {
    char text[2048] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text) - 1, nullptr, nullptr);
    return text;
}

}  // namespace

std::string WindowText(HWND window) {
    wchar_t wide[1024] = {};
    GetWindowTextW(window, wide, sizeof(wide) / sizeof(wide[0]));
    return Narrow(wide);
}

std::string SentText(HWND window) {
    // Wide, because Wine passes ANSI texts between processes unreliably.
    wchar_t wide[1024] = {};
    SendMessageW(window, WM_GETTEXT, sizeof(wide) / sizeof(wide[0]),
                 reinterpret_cast<LPARAM>(wide));
    return Narrow(wide);
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

NicsetProcess::NicsetProcess(const std::string& workingDirectory, const std::string& program,
                             const std::string& arguments) {
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        workingDirectory.c_str(), &startup, &info)) {
        ADD_FAILURE() << "cannot start " << program << ", error " << GetLastError();
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    job_ = CreateJobObjectA(nullptr, nullptr);
    if (job_ != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
        AssignProcessToJobObject(job_, process_);
    }
}

NicsetProcess::~NicsetProcess() {
    if (process_ != nullptr) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            ADD_FAILURE() << "Nicset.exe was still running at the end of the test; stopped it";
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, kMustComeMs);
        }
        CloseHandle(process_);
    }
    if (job_ != nullptr) CloseHandle(job_);
}

HWND NicsetProcess::FindDialog(const char* title) const {
    for (HWND window : TopLevelWindows(id_)) {
        if (ClassName(window) == kDialogClass && WindowText(window) == title) return window;
    }
    return nullptr;
}

HWND NicsetProcess::AnyMainWindow() const {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, kDialogClass, "Nicset v1.0")) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == id_) return window;
    }
    return nullptr;
}

HWND NicsetProcess::WaitForSplash(DWORD timeoutMs) const {
    return WaitForWindow([this] { return Splash(); }, timeoutMs);
}

HWND NicsetProcess::WaitForMainWindow(DWORD timeoutMs) const {
    return WaitForWindow([this] { return MainWindow(); }, timeoutMs);
}

bool NicsetProcess::WaitForExit(DWORD timeoutMs, DWORD* exitStatus) {
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(process_, exitStatus);
    return true;
}

MessageBoxSeen WaitForMessageBox(const NicsetProcess& process, const char* title, DWORD timeoutMs) {
    MessageBoxSeen seen;
    seen.window = WaitForWindow([&] { return process.FindDialog(title); }, timeoutMs);
    if (seen.window != nullptr) {
        seen.title = title;
        seen.text = WindowText(GetDlgItem(seen.window, 0xFFFF));
    }
    return seen;
}

bool AnswerMessageBox(HWND box, int buttonId) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
    return WaitUntil([box] { return !IsWindow(box) || !IsWindowVisible(box); });
}

void ForgetUserSettings() {
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Nicset");
}

void SetWindows98(bool on) {
    const char* path = "Software\\Wine\\AppDefaults\\Nicset.exe";
    if (!on) {
        RegDeleteKeyA(HKEY_CURRENT_USER, path);
        return;
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const char version[] = "win98";
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   sizeof(version));
    RegCloseKey(key);
}

void DeleteKeyTree(const std::string& path) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}

void SetValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS)
        << path << " " << name;
    RegCloseKey(key);
}

void SetStringValue(const std::string& path, const char* name, const std::string& text) {
    SetValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetDwordValue(const std::string& path, const char* name, DWORD value) {
    SetValue(path, name, REG_DWORD, &value, sizeof(value));
}

}  // namespace e2e

#include <commctrl.h>

namespace e2e {

RemoteBuffer::RemoteBuffer(const NicsetProcess& process, SIZE_T size) {
    process_ =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process.Id());
    if (process_ != nullptr)
        address_ =
            VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (address_ == nullptr) ADD_FAILURE() << "cannot reserve memory in Nicset.exe";
}

RemoteBuffer::~RemoteBuffer() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) CloseHandle(process_);
}

void RemoteBuffer::Write(const void* data, SIZE_T size, SIZE_T offset) {
    WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, nullptr);
}

void RemoteBuffer::Read(void* data, SIZE_T size, SIZE_T offset) const {
    ReadProcessMemory(process_, static_cast<const char*>(address_) + offset, data, size, nullptr);
}

std::vector<std::vector<std::string>> ListViewRows(const NicsetProcess& process, HWND listView,
                                                   int columns) {
    constexpr SIZE_T kTextOffset = 256;
    constexpr int kTextSize = 512;
    RemoteBuffer buffer(process, kTextOffset + kTextSize);
    std::vector<std::vector<std::string>> rows;
    const int count = static_cast<int>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column) {
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = static_cast<char*>(buffer.Address()) + kTextOffset;
            item.cchTextMax = kTextSize;
            buffer.Write(&item, sizeof(item));
            SendMessageA(listView, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), buffer.AsParam());
            char text[kTextSize] = {};
            buffer.Read(text, kTextSize - 1, kTextOffset);
            cells.emplace_back(text);
        }
        rows.push_back(cells);
    }
    return rows;
}

void SelectListViewRow(const NicsetProcess& process, HWND listView, int row) {
    RemoteBuffer buffer(process, sizeof(LVITEMA));
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    buffer.Write(&item, sizeof(item));
    SendMessageA(listView, LVM_SETITEMSTATE, static_cast<WPARAM>(row), buffer.AsParam());
}

void ClickAt(HWND window, int x, int y) {
    const LPARAM point = MAKELPARAM(x, y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(window, WM_LBUTTONUP, 0, point);
}

std::vector<std::string> ComboLines(HWND comboBox) {
    std::vector<std::string> lines;
    const int count = static_cast<int>(SendMessageA(comboBox, CB_GETCOUNT, 0, 0));
    for (int line = 0; line < count; ++line) {
        // Wine hands an ANSI CB_GETLBTEXT from another process back as wide
        // characters, so ask for them as such.
        const LRESULT length =
            SendMessageW(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(line), 0);
        std::vector<wchar_t> wide(static_cast<size_t>(length < 0 ? 0 : length) + 1, L'\0');
        SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(line),
                     reinterpret_cast<LPARAM>(wide.data()));
        wide.back() = L'\0';
        char text[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, wide.data(), -1, text, sizeof(text) - 1, nullptr, nullptr);
        lines.emplace_back(text);
    }
    return lines;
}

void PickComboLine(HWND dialog, int id, int index) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

std::string ControlText(HWND dialog, int id) {
    return SentText(GetDlgItem(dialog, id));
}

void SetControlText(HWND dialog, int id, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TypeText(HWND dialog, int id, const std::string& text) {
    HWND edit = GetDlgItem(dialog, id);
    for (char c : text)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

bool IsChecked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ClickButton(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

RegistryValue ReadValue(const std::string& path, const char* name) {
    RegistryValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return value;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.bytes.assign(size, '\0');
        if (RegQueryValueExA(key, name, nullptr, &value.type,
                             reinterpret_cast<BYTE*>(&value.bytes[0]), &size) == ERROR_SUCCESS) {
            value.exists = true;
            value.bytes.resize(size);
        }
    }
    RegCloseKey(key);
    return value;
}

std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    BITMAPINFOHEADER header = {};
    const std::string pixels = CaptureScreen(rect, &header);
    if (pixels.empty()) return false;
    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
    fileHeader.bfSize = fileHeader.bfOffBits + static_cast<DWORD>(pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&fileHeader), sizeof(fileHeader));
    bytes.append(reinterpret_cast<const char*>(&header), sizeof(header));
    bytes += pixels;
    WriteFileBytes(path, bytes);
    return true;
}

}  // namespace e2e

namespace e2e {
namespace {

std::string OpenLogPath() {
    return ModuleDirectory() + "\\e2e-work\\opened.log";
}

void SetClassesValue(const std::string& path, const std::string& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, ("Software\\Classes\\" + path).c_str(), 0,
                              nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

}  // namespace

void RecordOpensOf(const char* extension) {
    SetClassesValue(extension, "NicsetTest.Opened");
    SetClassesValue("NicsetTest.Opened\\shell\\open\\command",
                    "\"" + ModuleDirectory() + "\\e2e_open_recorder.exe\" \"%1\"");
}

std::vector<std::string> OpenedFiles() {
    std::vector<std::string> lines;
    const std::string log = ReadFileBytes(OpenLogPath());
    size_t start = 0;
    for (size_t end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(log.substr(start, end - start));
    return lines;
}

void ForgetOpenedFiles() {
    DeleteFileA(OpenLogPath().c_str());
}

std::vector<COLORREF> ScreenPixels(const RECT& rect) {
    BITMAPINFOHEADER header = {};
    const std::string pixels = CaptureScreen(rect, &header);
    std::vector<COLORREF> colours;
    if (pixels.empty()) return colours;
    const size_t stride = pixels.size() / static_cast<size_t>(header.biHeight);
    for (size_t row = 0; row < static_cast<size_t>(header.biHeight); ++row) {
        for (size_t x = 0; x < static_cast<size_t>(header.biWidth); ++x) {
            const auto* bgr = reinterpret_cast<const unsigned char*>(&pixels[row * stride + x * 3]);
            colours.push_back(RGB(bgr[2], bgr[1], bgr[0]));
        }
    }
    return colours;
}

}  // namespace e2e

namespace e2e {

bool DenyWrites(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, READ_CONTROL | WRITE_DAC, &key) !=
        ERROR_SUCCESS)
        return false;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    unsigned char aclBytes[256] = {};
    auto* acl = reinterpret_cast<PACL>(aclBytes);
    SECURITY_DESCRIPTOR descriptor = {};
    const bool built =
        AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone) &&
        InitializeAcl(acl, sizeof(aclBytes), ACL_REVISION) &&
        AddAccessDeniedAce(acl, ACL_REVISION, KEY_SET_VALUE | KEY_CREATE_SUB_KEY, everyone) &&
        AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, everyone) &&
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
        SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE);
    const bool set =
        built && RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    if (everyone != nullptr) FreeSid(everyone);
    RegCloseKey(key);
    return set;
}

}  // namespace e2e
