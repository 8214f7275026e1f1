#pragma once

#include <chrono>
#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace trend {

// One entry of a folder, as the scans see it.
struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

// The names of a listing, with their positions for look-ups.
class NameListing {
public:
    explicit NameListing(std::vector<std::string> names);
    NameListing(const NameListing&) = delete;
    NameListing& operator=(const NameListing&) = delete;

    const std::vector<std::string>& names() const { return names_; }
    // As PositionOfName: the exact spelling, else the first equal ignoring case; -1 for none.
    int positionOf(std::string_view name) const;

private:
    std::vector<std::string> names_;
    std::unordered_map<std::string_view, int> exact_;  // views into names_, which never changes
};

// The listings of the folders scanned last, kept while the folder is unchanged, so that the
// file advance of a long run does not read a large parent folder again for every file.
//
// A listing is kept only when the folder's modification and change times lie at least
// `settled` before the scan, so that a later change cannot carry the same times (file systems
// keep times at a coarse grain: 2 s on FAT), and only when it holds no symbolic link (whose
// target can change without the folder). Any change to the folder's identity, times, size or
// link count makes it scanned again.
class FolderScanCache {
public:
    using Entries = std::shared_ptr<const std::vector<FolderEntry>>;
    using Names = std::shared_ptr<const NameListing>;

    explicit FolderScanCache(std::chrono::nanoseconds settled, size_t capacity = 8);

    // The entries of a file-system folder without the names that begin with "." (hidden), in
    // name order: compared after conversion to upper case, code point by code point, names
    // equal in upper case by their bytes. Empty when the folder cannot be read.
    Entries entries(const std::string& fsFolder);
    // The names ListFolderEntries lists for mark, in the order of a list box that is sorted or
    // not.
    Names names(const std::string& fsFolder, std::string_view mark, bool sorted);

    // The cache the folder scans use.
    static FolderScanCache& shared();

    // Held for the length of a run of files: a listing checked against its folder during the
    // run is not checked again until the run ends, and a folder met for the first time is read
    // without being kept. A run passes each folder once, so this spares a look at the parent
    // folder for every file.
    class RunHold {
    public:
        explicit RunHold(FolderScanCache& cache);
        ~RunHold();
        RunHold(const RunHold&) = delete;
        RunHold& operator=(const RunHold&) = delete;

    private:
        FolderScanCache& cache_;
    };

private:
    struct Stamp {
        unsigned long long device = 0, inode = 0, size = 0, links = 0;
        long long modified = 0, changed = 0;  // nanoseconds since the epoch
        bool operator==(const Stamp&) const = default;
    };
    struct Folder {
        std::string fsFolder;
        Stamp stamp;
        Entries entries;
        std::vector<std::pair<std::pair<std::string, bool>, Names>> names;
        unsigned long long checkedInRun = 0;  // the run that last compared its stamp
    };

    // false when fsFolder is not a folder that can be looked at.
    static bool stampOf(const std::string& fsFolder, Stamp& stamp);
    // The cached folder, moved to the front, or nullptr. Called with mutex_ held.
    Folder* find(const std::string& fsFolder, const Stamp& stamp);
    // Keeps a listing first, letting go of the least recently used beyond the capacity; mutex_
    // held.
    void keep(Folder folder);
    Entries read(const std::string& fsFolder, bool& cacheable) const;

    std::chrono::nanoseconds settled_;
    size_t capacity_;
    std::mutex mutex_;
    std::list<Folder> folders_;  // most recently used first
    int holds_ = 0;
    unsigned long long run_ = 0;  // counts the runs that held the cache
};

}  // namespace trend
