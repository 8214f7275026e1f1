#include "FolderScanCache.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include <algorithm>

#include "NameOrder.h"
#include "TextCodec.h"

namespace trend {
namespace {

// What the kernel writes for each entry of a folder (getdents64): inode (8 bytes), offset (8),
// record length (2), type (1), then the name and its terminating zero.
constexpr size_t kRecordLengthAt = 16;
constexpr size_t kTypeAt = 18;
constexpr size_t kNameAt = 19;

// Entries from which a folder met first in a run is kept.
constexpr size_t kWorthKeeping = 16;

long long nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

long long nanoseconds(const timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

std::vector<std::string> listedNames(const std::vector<FolderEntry>& entries, std::string_view mark,
                                     bool sorted) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : entries) {
        const bool marked = !mark.empty() && entry.name.find(mark) != std::string::npos;
        if (marked || entry.isFolder) {
            names.push_back(entry.name);
        }
    }
    if (sorted) {
        SortNamesIgnoringCase(names);
    }
    return names;
}

}  // namespace

NameListing::NameListing(std::vector<std::string> names) : names_(std::move(names)) {
    exact_.reserve(names_.size());
    for (size_t i = 0; i < names_.size(); ++i) {
        exact_.emplace(names_[i], static_cast<int>(i));  // the first of equal names stays
    }
}

int NameListing::positionOf(std::string_view name) const {
    if (auto it = exact_.find(name); it != exact_.end()) {
        return it->second;
    }
    return PositionOfName(names_, name);
}

FolderScanCache::FolderScanCache(std::chrono::nanoseconds settled, size_t capacity)
    : settled_(settled), capacity_(capacity) {}

FolderScanCache::RunHold::RunHold(FolderScanCache& cache) : cache_(cache) {
    std::lock_guard lock(cache_.mutex_);
    if (cache_.holds_++ == 0) {
        ++cache_.run_;
    }
}

FolderScanCache::RunHold::~RunHold() {
    std::lock_guard lock(cache_.mutex_);
    --cache_.holds_;
}

FolderScanCache& FolderScanCache::shared() {
    static FolderScanCache cache(std::chrono::seconds(3));
    return cache;
}

bool FolderScanCache::stampOf(const std::string& fsFolder, Stamp& stamp) {
    struct stat info {};
    if (::stat(fsFolder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return false;
    }
    stamp.device = static_cast<unsigned long long>(info.st_dev);
    stamp.inode = static_cast<unsigned long long>(info.st_ino);
    stamp.size = static_cast<unsigned long long>(info.st_size);
    stamp.links = static_cast<unsigned long long>(info.st_nlink);
    stamp.modified = nanoseconds(info.st_mtim);
    stamp.changed = nanoseconds(info.st_ctim);
    return true;
}

void FolderScanCache::keep(Folder folder) {
    folders_.push_front(std::move(folder));
    while (folders_.size() > capacity_) {
        folders_.pop_back();
    }
}

FolderScanCache::Folder* FolderScanCache::find(const std::string& fsFolder, const Stamp& stamp) {
    for (auto it = folders_.begin(); it != folders_.end(); ++it) {
        if (it->fsFolder != fsFolder) {
            continue;
        }
        if (!(it->stamp == stamp)) {
            folders_.erase(it);
            return nullptr;
        }
        if (holds_ > 0) {
            it->checkedInRun = run_;
        }
        folders_.splice(folders_.begin(), folders_, it);
        return &folders_.front();
    }
    return nullptr;
}

FolderScanCache::Entries FolderScanCache::read(const std::string& fsFolder, bool& cacheable) const {
    std::vector<FolderEntry> entries;
    const int fd = ::open(fsFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        cacheable = false;
        return std::make_shared<const std::vector<FolderEntry>>();
    }
    // The entries straight from the kernel: a folder of one file costs four system calls.
    char buffer[32768];
    for (;;) {
        const long got = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer);
        if (got <= 0) {
            if (got < 0) {
                cacheable = false;
            }
            break;
        }
        for (long at = 0; at + static_cast<long>(kNameAt) < got;) {
            const char* record = buffer + at;
            unsigned short length = 0;
            std::memcpy(&length, record + kRecordLengthAt, sizeof length);
            const unsigned char type = static_cast<unsigned char>(record[kTypeAt]);
            const char* entryName = record + kNameAt;
            if (length == 0) {
                cacheable = false;
                break;
            }
            at += length;
            std::string name = entryName;
            if (name.empty() || name[0] == '.') {
                continue;
            }
            bool isFolder = type == DT_DIR;
            if (type == DT_UNKNOWN || type == DT_LNK) {
                // A link counts as what it points to; the folder's times do not follow its target.
                bool isLink = type == DT_LNK;
                struct stat info {};
                if (!isLink && ::fstatat(fd, entryName, &info, AT_SYMLINK_NOFOLLOW) == 0) {
                    isLink = S_ISLNK(info.st_mode);
                    isFolder = S_ISDIR(info.st_mode);
                }
                if (isLink) {
                    isFolder = ::fstatat(fd, entryName, &info, 0) == 0 && S_ISDIR(info.st_mode);
                }
                cacheable = cacheable && !isLink;
            }
            entries.push_back({std::move(name), isFolder});
        }
    }
    ::close(fd);
    // One key per entry: upper case, then the bytes for names equal in upper case.
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        keys.emplace_back(UpperCase(entries[i].name), i);
    }
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first) {
            return a.first < b.first;
        }
        return entries[a.second].name < entries[b.second].name;
    });
    auto sorted = std::make_shared<std::vector<FolderEntry>>();
    sorted->reserve(entries.size());
    for (const auto& key : keys) {
        sorted->push_back(std::move(entries[key.second]));
    }
    return sorted;
}

FolderScanCache::Entries FolderScanCache::entries(const std::string& fsFolder) {
    bool firstInRun = false;
    {
        std::lock_guard lock(mutex_);
        if (holds_ > 0) {
            const auto it =
                std::find_if(folders_.begin(), folders_.end(),
                             [&](const Folder& folder) { return folder.fsFolder == fsFolder; });
            if (it != folders_.end() && it->checkedInRun == run_) {
                folders_.splice(folders_.begin(), folders_, it);
                return folders_.front().entries;
            }
            firstInRun = it == folders_.end();
        }
    }
    if (firstInRun) {
        // A small folder met first in the run is passed once: it is read and let go. A large
        // one (a parent of many folders) is kept when its times, taken after the reading, lie
        // settled before it: then nothing changed while it was read.
        bool cacheable = true;
        Entries scanned = read(fsFolder, cacheable);
        Stamp after;
        if (cacheable && scanned->size() >= kWorthKeeping && capacity_ > 0 &&
            stampOf(fsFolder, after) &&
            nowNanoseconds() - std::max(after.modified, after.changed) >= settled_.count()) {
            std::lock_guard lock(mutex_);
            keep({fsFolder, after, scanned, {}, run_});
        }
        return scanned;
    }
    Stamp before;
    const bool isFolder = stampOf(fsFolder, before);
    if (isFolder) {
        std::lock_guard lock(mutex_);
        if (Folder* cached = find(fsFolder, before)) {
            return cached->entries;
        }
    }
    const long long now = nowNanoseconds();
    // A change while the folder is read gives it new times, so the listing kept with the times
    // from before is not used again.
    bool cacheable =
        isFolder && now - std::max(before.modified, before.changed) >= settled_.count();
    Entries scanned = read(fsFolder, cacheable);
    if (cacheable && capacity_ > 0) {
        std::lock_guard lock(mutex_);
        keep({fsFolder, before, scanned, {}, holds_ > 0 ? run_ : 0});
    }
    return scanned;
}

FolderScanCache::Names FolderScanCache::names(const std::string& fsFolder, std::string_view mark,
                                              bool sorted) {
    const Entries scanned = entries(fsFolder);
    std::lock_guard lock(mutex_);
    Folder* cached = nullptr;
    for (Folder& folder : folders_) {
        if (folder.entries == scanned) {
            cached = &folder;
            break;
        }
    }
    if (cached != nullptr) {
        for (const auto& [key, listed] : cached->names) {
            if (key.first == mark && key.second == sorted) {
                return listed;
            }
        }
    }
    auto listed = std::make_shared<const NameListing>(listedNames(*scanned, mark, sorted));
    if (cached != nullptr) {
        cached->names.push_back({{std::string(mark), sorted}, listed});
    }
    return listed;
}

}  // namespace trend
