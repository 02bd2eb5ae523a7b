#include "platform/runtime.h"

#include <QDir>

#include <windows.h>

#include <sddl.h>
#include <vector>

namespace platform {

QString userId() {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        DWORD size = 0;
        GetTokenInformation(token, TokenUser, nullptr, 0, &size);
        std::vector<char> buffer(size);
        LPWSTR sid = nullptr;
        if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
            ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER *>(buffer.data())->User.Sid, &sid)) {
            const QString id = QString::fromWCharArray(sid);
            LocalFree(sid);
            CloseHandle(token);
            return id;
        }
        CloseHandle(token);
    }
    // Without a token to read, the name the user logged in with.
    wchar_t name[257];
    DWORD length = 257;
    return GetUserNameW(name, &length) ? QString::fromWCharArray(name)
                                       : qEnvironmentVariable("USERNAME");
}

// The user's own temporary folder, which the profile's permissions keep
// from other users.
RuntimeFolder privateRuntimeFolder() {
    const QString folder = QDir::tempPath();
    if (QDir(folder).exists())
        return {folder, {}};
    return {{}, folder + QStringLiteral(": a pasta temporária não existe")};
}

QString localServerName(const QString &, const QString &name) {
    return name;
}

FileLock::Outcome FileLock::take(const QString &path, std::unique_ptr<FileLock> &lock,
                                 QString &problem) {
    // Opened without sharing: a second open fails while this one lives. The
    // file goes with the last handle, when the process ends however it ends.
    const HANDLE handle =
        CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()),
                    GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Access is denied too while the last holder's file is being deleted.
        if (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED)
            return Outcome::Held;
        problem = qt_error_string(int(error));
        return Outcome::Failed;
    }
    lock.reset(new FileLock(reinterpret_cast<qintptr>(handle)));
    return Outcome::Taken;
}

FileLock::~FileLock() {
    CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

void letRunningCopyComeForward() {
    AllowSetForegroundWindow(ASFW_ANY);
}

} // namespace platform
