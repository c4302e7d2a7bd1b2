#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The level archive cannot be opened or one of its entries cannot be
// extracted; the text names the archive and, where it applies, the entry.
class ArchiveError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The game's pictures are a few megabytes; an entry this large is damage or
// an attack on the disk, not a level.
inline constexpr uint64_t kMaxArchiveEntrySize = 64ull * 1024 * 1024;

// Extracts every entry of the password-protected ZIP archive, in archive
// order, into targetFolder under its bare file name: folder paths stored in
// the archive (with '/' or '\' as separators) are dropped, folder entries are
// skipped, and an existing file of that name is replaced. Entry names stored
// without the UTF-8 flag are read as the DOS code page (CP437) unless they are
// valid UTF-8.
//
// Each entry is written to a new temporary file in targetFolder and renamed to
// its name only after its data was read to the end and passed the archive's
// integrity check, so a failed entry never leaves a partial file under a real
// name and an existing link is replaced, never followed. Files get mode 0644.
//
// The first entry that fails stops the extraction with an ArchiveError (the
// entries before it stay extracted): a failed integrity check or wrong
// password, a bare name that is empty, "." or "..", a bare name listed in
// protectedNames (the program file, the archive itself), or more than
// kMaxArchiveEntrySize bytes of data.
//
// AES entries written without a CRC (WinZip's AE-2 form, as 7-Zip writes
// them) are checked by their authentication code alone; this libzip can do
// that only for deflated entries, so stored AE-2 entries are refused. The
// game's own archive, written with libzip, records its CRCs.
void extractLevelArchive(const std::string& archivePath, std::string_view password,
                         const std::string& targetFolder,
                         const std::vector<std::string>& protectedNames);

}  // namespace app
