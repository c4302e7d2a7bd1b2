#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "assets/StoredPictures.h"
#include "dib/cDIBImage.h"

namespace dib {

// Raised for compressed picture data that no decompressor can expand.
class EDIBCompressError : public EDIBError {
  public:
    using EDIBError::EDIBError;
};

// The stored form of a picture, `Data`: width and height as 16-bit
// little-endian numbers, then the pixels as stored (rows bottom-up), each
// blue, green, red, alpha.
//
// Reading: empty data leaves the picture as it is. Data that ends early
// leaves the remaining pixels zero. Data marked as compressed raises
// EDIBCompressError, as the game has no decompressor. Data too short to hold
// the size raises EDIBError. The picture's Changed runs at the end.
void ReadData(TAbstractSuperDIB& picture, std::span<const uint8_t> data);
// Empty for a picture without pixels.
std::vector<uint8_t> WriteData(const TAbstractSuperDIB& picture);

// One stored picture of a list and its name.
class TDIBImagesItem {
  public:
    TMemoryDIB& DIB() { return dib_; }
    const TMemoryDIB& DIB() const { return dib_; }
    std::string DisplayName = "TDIBImagesItem";

  private:
    TMemoryDIB dib_;
};

class TDIBImageLink;

// The stored pictures of the game, numbered from 0. Controls refer to them
// through links (TDIBImageLink) and draw them through one shared working
// image that borrows the entry's pixels, so drawing never changes an entry.
class TDIBImageList {
  public:
    TDIBImageList() = default;
    ~TDIBImageList();
    TDIBImageList(const TDIBImageList&) = delete;
    TDIBImageList& operator=(const TDIBImageList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TDIBImagesItem& Items(int index) { return *items_.at(static_cast<size_t>(index)); }
    const TDIBImagesItem& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }
    // Appends a fresh entry, without pixels. The list listens to the
    // OnChange of the entry's picture to tell the links to it.
    TDIBImagesItem& Add();
    // Removes an entry: links to it lose their picture (-1), links to later
    // entries follow them down by one.
    void Delete(int index);
    // Gives the entry at `from` the number `to`; links follow every entry
    // whose number changes.
    void Move(int from, int to);

    // The working image lent the entry's picture, or nullptr when the index
    // is outside the list or the entry has no pixels. The caller may change
    // the working image's settings; they last until the next Resolve.
    TAbstractSuperDIB* Resolve(int index);

  private:
    friend class TDIBImageLink;
    void entryChanged(const TDIBImagesItem& item);
    int indexOf(const TDIBImagesItem& item) const;
    void renumberLinks(const std::function<int(int)>& newIndex);
    void tell(const std::vector<TDIBImageLink*>& links) const;

    std::vector<std::unique_ptr<TDIBImagesItem>> items_;
    std::vector<TDIBImageLink*> links_;
    TMemoryDIB working_;
};

// A control's reference to a picture of a list. It registers with its list,
// which keeps its number right when entries are removed or moved; OnChange
// then tells the control, as it does whenever the list, the number or the
// entry's picture changes. The control owns the link, so a control being
// destroyed is no longer told anything.
class TDIBImageLink {
  public:
    TDIBImageLink() = default;
    ~TDIBImageLink();
    TDIBImageLink(const TDIBImageLink&) = delete;
    TDIBImageLink& operator=(const TDIBImageLink&) = delete;

    TDIBImageList* DIBImageList() const { return list_; }
    void SetDIBImageList(TDIBImageList* list);
    int DIBIndex() const { return index_; }
    void SetDIBIndex(int index);

    // The list's working image holding this link's picture, or nullptr when
    // there is no list or no picture.
    TAbstractSuperDIB* Resolve() const;

    std::function<void()> OnChange;

  private:
    friend class TDIBImageList;
    void detach();
    void changed() const;

    TDIBImageList* list_ = nullptr;
    int index_ = -1;
};

// Appends the program's stored pictures to a list, in order, each with its
// name, colour-key settings and pixels.
void LoadStoredPictures(TDIBImageList& list, std::span<const assets::StoredPicture> pictures);

}  // namespace dib
