#include "platform/win32/Win32DiskFiles.h"

#include <windows.h>

#include "platform/win32/Win32Strings.h"

namespace ombrel::platform::win32 {
namespace {

HANDLE Native(DiskFiles::Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

DiskFiles::Handle Portable(HANDLE handle) {
    return reinterpret_cast<DiskFiles::Handle>(handle);
}

}  // namespace

DiskFiles::Handle Win32DiskFiles::OpenForReading(const char16_t* path) {
    return Portable(CreateFileW(ombrel::win32::Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool Win32DiskFiles::Read(Handle file, void* buffer, std::uint32_t count, std::uint32_t& read) {
    DWORD done = 0;
    const BOOL ok = ReadFile(Native(file), buffer, count, &done, nullptr);
    read = done;
    return ok != FALSE;
}

std::int64_t Win32DiskFiles::SetPointer(Handle file, std::int32_t distance, Origin origin) {
    const DWORD method = origin == Origin::kBegin ? FILE_BEGIN : FILE_CURRENT;
    const DWORD position = SetFilePointer(Native(file), distance, nullptr, method);
    if (position == INVALID_SET_FILE_POINTER) return -1;
    return position;
}

std::int64_t Win32DiskFiles::Size(Handle file) {
    DWORD high = 0;
    const DWORD low = GetFileSize(Native(file), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return -1;
    return (static_cast<std::int64_t>(high) << 32) | low;
}

DiskFiles::Handle Win32DiskFiles::CreateMapping(Handle file) {
    return Portable(CreateFileMappingW(Native(file), nullptr, PAGE_READONLY, 0, 0, nullptr));
}

const void* Win32DiskFiles::MapView(Handle mapping) {
    return MapViewOfFile(Native(mapping), FILE_MAP_READ, 0, 0, 0);
}

std::uint32_t Win32DiskFiles::ViewAlignment() {
    SYSTEM_INFO system = {};
    GetSystemInfo(&system);
    return system.dwAllocationGranularity;
}

const void* Win32DiskFiles::MapViewPart(Handle mapping, std::uint64_t offset,
                                        std::uint32_t length) {
    return MapViewOfFile(Native(mapping), FILE_MAP_READ, static_cast<DWORD>(offset >> 32),
                         static_cast<DWORD>(offset), length);
}

bool Win32DiskFiles::UnmapView(const void* view) {
    return UnmapViewOfFile(view) != FALSE;
}

bool Win32DiskFiles::Close(Handle handle) {
    return CloseHandle(Native(handle)) != FALSE;
}

}  // namespace ombrel::platform::win32
