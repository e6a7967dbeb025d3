#include "platform/posix/PosixDiskFiles.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/PosixPaths.h"

namespace ombrel::platform::posix {
namespace {

// A read lock over the whole file; refused while another open description holds a write lock.
bool ShareForReading(int descriptor) {
    struct flock lock = {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(descriptor, F_OFD_SETLK, &lock) == 0) return true;
    // A file system without locks cannot tell about writers; only a conflict refuses the open.
    return errno != EAGAIN && errno != EACCES;
}

// A view that holds a private copy of the file's bytes, read when it is made: a file that another
// program shortens or rewrites later leaves it as it was, where a shared mapping of the file would
// end the process with SIGBUS at the first page that is gone. Null when the file no longer holds
// the range.
void* ReadView(int descriptor, std::uint64_t offset, std::size_t length) {
    void* view = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (view == MAP_FAILED) return nullptr;
    auto* bytes = static_cast<char*>(view);
    std::size_t done = 0;
    while (done < length) {
        const ssize_t got =
            pread(descriptor, bytes + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    if (done < length || mprotect(view, length, PROT_READ) != 0) {
        munmap(view, length);
        return nullptr;
    }
    return view;
}

}  // namespace

PosixDiskFiles::~PosixDiskFiles() {
    for (const auto& [view, length] : views_) munmap(const_cast<void*>(view), length);
    for (const auto& [handle, object] : objects_) close(object.descriptor);
}

DiskFiles::Handle PosixDiskFiles::OpenForReading(const char16_t* path) {
    if (path == nullptr) return kInvalidHandle;
    // Without blocking: a FIFO or a device in the store's place of a file would wait for a writer.
    const int descriptor =
        open(PosixPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0) return kInvalidHandle;
    struct stat status = {};
    // Only regular files: Windows opens no directory as a file, and the store holds no others.
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
        !ShareForReading(descriptor)) {
        close(descriptor);
        return kInvalidHandle;
    }
    return Track({descriptor, false, 0});
}

bool PosixDiskFiles::Read(Handle file, void* buffer, std::uint32_t count, std::uint32_t& read) {
    read = 0;
    const int descriptor = DescriptorOf(file);
    if (descriptor < 0 || (buffer == nullptr && count > 0)) return false;
    auto* bytes = static_cast<char*>(buffer);
    while (read < count) {
        const ssize_t got = ::read(descriptor, bytes + read, count - read);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        read += static_cast<std::uint32_t>(got);
    }
    return true;
}

std::int64_t PosixDiskFiles::SetPointer(Handle file, std::int32_t distance, Origin origin) {
    const int descriptor = DescriptorOf(file);
    if (descriptor < 0) return -1;
    const off_t base = origin == Origin::kBegin ? 0 : lseek(descriptor, 0, SEEK_CUR);
    const off_t target = base + distance;
    if (base < 0 || target < 0) return -1;
    return lseek(descriptor, target, SEEK_SET);
}

std::int64_t PosixDiskFiles::Size(Handle file) {
    const int descriptor = DescriptorOf(file);
    struct stat status = {};
    if (descriptor < 0 || fstat(descriptor, &status) != 0) return -1;
    return status.st_size;
}

DiskFiles::Handle PosixDiskFiles::CreateMapping(Handle file) {
    const std::int64_t size = Size(file);
    if (size <= 0) return kNoHandle;
    // The mapping keeps the file open (and its sharing lock held) until it is closed itself.
    const int descriptor = fcntl(DescriptorOf(file), F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0) return kNoHandle;
    return Track({descriptor, true, size});
}

const void* PosixDiskFiles::MapView(Handle mapping) {
    return Map(mapping, 0, 0);
}

std::uint32_t PosixDiskFiles::ViewAlignment() {
    // mmap needs offsets in whole pages, which is what the system allocates views in.
    return static_cast<std::uint32_t>(sysconf(_SC_PAGESIZE));
}

const void* PosixDiskFiles::MapViewPart(Handle mapping, std::uint64_t offset,
                                        std::uint32_t length) {
    if (length == 0 || offset % ViewAlignment() != 0) return nullptr;
    return Map(mapping, offset, length);
}

const void* PosixDiskFiles::Map(Handle mapping, std::uint64_t offset, std::uint64_t length) {
    std::lock_guard lock(mutex_);
    const Object* object = Find(mapping, true);
    if (object == nullptr) return nullptr;
    const auto size = static_cast<std::uint64_t>(object->size);
    if (length == 0) length = size - offset;  // the rest of the mapping, as a length of 0 asks
    if (offset >= size || length > size - offset) return nullptr;
    void* view = ReadView(object->descriptor, offset, static_cast<std::size_t>(length));
    if (view == nullptr) return nullptr;
    views_[view] = static_cast<std::size_t>(length);
    return view;
}

bool PosixDiskFiles::UnmapView(const void* view) {
    std::lock_guard lock(mutex_);
    const auto found = views_.find(view);
    if (found == views_.end()) return false;
    munmap(const_cast<void*>(view), found->second);
    views_.erase(found);
    return true;
}

bool PosixDiskFiles::Close(Handle handle) {
    std::lock_guard lock(mutex_);
    const auto found = objects_.find(handle);
    if (found == objects_.end()) return false;
    close(found->second.descriptor);
    objects_.erase(found);
    return true;
}

DiskFiles::Handle PosixDiskFiles::Track(const Object& object) {
    std::lock_guard lock(mutex_);
    const Handle handle = next_;
    next_ += 4;
    objects_[handle] = object;
    return handle;
}

const PosixDiskFiles::Object* PosixDiskFiles::Find(Handle handle, bool mapping) const {
    const auto found = objects_.find(handle);
    if (found == objects_.end() || found->second.isMapping != mapping) return nullptr;
    return &found->second;
}

int PosixDiskFiles::DescriptorOf(Handle file) const {
    std::lock_guard lock(mutex_);
    const Object* object = Find(file, false);
    return object == nullptr ? -1 : object->descriptor;
}

}  // namespace ombrel::platform::posix
