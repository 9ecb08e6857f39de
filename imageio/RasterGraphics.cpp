#include "imageio/RasterGraphics.h"

#include <algorithm>
#include <stdexcept>

#include "imageio/RasterStrings.h"
#include "toolkit/BitmapFile.h"
#include "toolkit/GraphicError.h"
#include "toolkit/Text.h"

namespace RasterGraphics {

using toolkit::TGraphicClass;

TFileFormatList FileFormatList;

const TGraphicClass TRasterGraphic::Class = {"TRasterGraphic", nullptr, &toolkit::TGraphic::Class};

bool TRasterGraphic::ReadImageProperties(std::span<const std::uint8_t>, unsigned) {
  FImageProperties = TImageProperties{};
  return false;
}

void TRasterGraphic::BeginLoad() {
  Release();
  FColorManager = RasterColor::TColorManager();
}

void TRasterGraphic::EndLoad(toolkit::TBitmap&& picture) {
  Progress(toolkit::TProgressStage::Ending, 100, RasterStrings::gesTransfering);
  static_cast<toolkit::TBitmap&>(*this) = std::move(picture);
}

void TRasterGraphic::RowProgress(std::uint64_t rowsDone, std::uint64_t rows) const {
  if (OnProgress) Progress(toolkit::TProgressStage::Running, static_cast<int>(rowsDone * 100 / rows), RasterStrings::gesTransfering);
}

// ---- Registry ----

TFileFormatList::~TFileFormatList() { Clear(); }

void TFileFormatList::Clear() {
  for (const auto& entry : FClassList) toolkit::TPicture::UnregisterGraphicClass(*entry->GraphicClass);
  FClassList.clear();
  FExtensionList.clear();
}

int TFileFormatList::FindExtension(std::string_view extension) const {
  if (extension.empty()) return -1;
  for (std::size_t i = 0; i < FExtensionList.size(); ++i)
    if (toolkit::EqualsIgnoreCaseAscii(FExtensionList[i]->Extension, extension)) return static_cast<int>(i);
  return -1;
}

int TFileFormatList::FindGraphicClass(const TGraphicClass& graphicClass) const {
  for (std::size_t i = 0; i < FClassList.size(); ++i)
    if (FClassList[i]->GraphicClass == &graphicClass) return static_cast<int>(i);
  return -1;
}

TClassEntry& TFileFormatList::SettleClass(const TGraphicClass& graphicClass, const std::string& common) {
  const int index = FindGraphicClass(graphicClass);
  TClassEntry* entry = nullptr;
  if (index < 0) {
    FClassList.push_back(std::make_unique<TClassEntry>(TClassEntry{&graphicClass, std::string(), 0}));
    entry = FClassList.back().get();
  } else {
    entry = FClassList[static_cast<std::size_t>(index)].get();
  }
  if (!common.empty()) entry->Description = common;
  ++entry->Count;
  return *entry;
}

void TFileFormatList::DropClassIfUnused(TClassEntry* entry) {
  if (--entry->Count > 0) return;
  toolkit::TPicture::UnregisterGraphicClass(*entry->GraphicClass);
  std::erase_if(FClassList, [&](const auto& e) { return e.get() == entry; });
}

void TFileFormatList::RegisterFileFormat(const std::string& extension, const std::string& common,
                                         const std::string& individual, TFormatTypes formatTypes, bool replace,
                                         const TGraphicClass& graphicClass) {
  if (extension.empty()) return;
  const int index = FindExtension(extension);
  TExtensionEntry* entry = nullptr;
  if (index < 0) {
    FExtensionList.push_back(std::make_unique<TExtensionEntry>(TExtensionEntry{extension, individual, formatTypes, nullptr}));
    entry = FExtensionList.back().get();
    entry->ClassReference = &SettleClass(graphicClass, common);
  } else if (!replace) {
    RaiseGraphicError(RasterStrings::gesRegistration, {extension});
  } else {
    entry = FExtensionList[static_cast<std::size_t>(index)].get();
    if (entry->ClassReference->GraphicClass != &graphicClass) {
      TClassEntry* old = entry->ClassReference;
      entry->ClassReference = &SettleClass(graphicClass, common);
      DropClassIfUnused(old);
    }
  }
  const std::string description = !individual.empty() ? individual : entry->ClassReference->Description;
  toolkit::TPicture::RegisterFileFormat(extension, description, graphicClass);
}

void TFileFormatList::UnregisterFileFormat(const std::string& extension, const TGraphicClass* graphicClass) {
  if (!extension.empty()) {
    const int index = FindExtension(extension);
    if (index < 0) return;
    TClassEntry* classEntry = FExtensionList[static_cast<std::size_t>(index)]->ClassReference;
    FExtensionList.erase(FExtensionList.begin() + index);
    DropClassIfUnused(classEntry);
    return;
  }
  if (graphicClass == nullptr) return;
  const int index = FindGraphicClass(*graphicClass);
  if (index < 0) return;
  TClassEntry* classEntry = FClassList[static_cast<std::size_t>(index)].get();
  std::erase_if(FExtensionList, [&](const auto& e) { return e->ClassReference == classEntry; });
  FClassList.erase(FClassList.begin() + index);
  toolkit::TPicture::UnregisterGraphicClass(*graphicClass);
}

const TGraphicClass* TFileFormatList::GraphicFromContent(std::span<const std::uint8_t> bytes) const {
  for (const auto& entry : FClassList) {
    const TGraphicClass& c = *entry->GraphicClass;
    if (!c.InheritsFrom(TRasterGraphic::Class) || c.CanLoad == nullptr) continue;
    if (c.CanLoad(bytes)) return &c;
  }
  return nullptr;
}

const TGraphicClass* TFileFormatList::GraphicFromContent(const std::string& fileName) const {
  return GraphicFromContent(toolkit::TPictureFile(fileName).Bytes());
}

void RegisterStandardFormats() {
  using namespace RasterStrings;
  using toolkit::TBitmapGraphic, toolkit::TIcon, toolkit::TMetafile, toolkit::TJPEGImage;
  struct Row { const char* extension; const char* common; const char* individual; TFormatTypes types; const TGraphicClass& c; };
  const Row rows[] = {
      {"bmp", gesBitmaps, "", ftRaster, TBitmapGraphic::Class},
      {"ico", gesIcons, "", ftRaster, TIcon::Class},
      {"wmf", gesMetaFiles, "", ftVector, TMetafile::Class},
      {"emf", gesMetaFiles, gesEnhancedMetaFiles, ftVector, TMetafile::Class},
      {"jfif", gesJPGImages, gesJFIFImages, ftRaster, TJPEGImage::Class},
      {"jpg", "", gesJPGImages, ftRaster, TJPEGImage::Class},
      {"jpe", "", gesJPEImages, ftRaster, TJPEGImage::Class},
      {"jpeg", "", gesJPEGImages, ftRaster, TJPEGImage::Class},
      {"rle", gesBitmaps, gesRLEBitmaps, ftRaster, TBitmapGraphic::Class},
      {"dib", "", gesDIBs, ftRaster, TBitmapGraphic::Class},
      {"win", gesTruevision, "", ftRaster, TTargaGraphic::Class},
      {"vst", "", "", ftRaster, TTargaGraphic::Class},
      {"vda", "", "", ftRaster, TTargaGraphic::Class},
      {"tga", "", "", ftRaster, TTargaGraphic::Class},
      {"icb", "", "", ftRaster, TTargaGraphic::Class},
      {"tiff", gesTIFF, gesMacTIFF, ftRaster | ftMultiImage, TTIFFGraphic::Class},
      {"tif", "", gesPCTIF, ftRaster | ftMultiImage, TTIFFGraphic::Class},
      {"fax", "", gesGFIFax, ftRaster | ftMultiImage, TTIFFGraphic::Class},
      {"eps", gesEPS, "", ftRaster, TEPSGraphic::Class},
      {"pcx", gesPCX, "", ftRaster, TPCXGraphic::Class},
      {"pcc", "", "", ftRaster, TPCXGraphic::Class},
      {"scr", "", gesDCX, ftRaster, TPCXGraphic::Class},
      {"rpf", gesRLA, "", ftRaster, TRLAGraphic::Class},
      {"rla", "", "", ftRaster, TRLAGraphic::Class},
      {"sgi", gesSGI, gesSGITrueColor, ftRaster, TSGIGraphic::Class},
      {"rgba", "", gesSGITrueColorAlpha, ftRaster, TSGIGraphic::Class},
      {"rgb", "", gesSGITrueColor, ftRaster, TSGIGraphic::Class},
      {"bw", "", gesSGIMono, ftRaster, TSGIGraphic::Class},
      {"psd", gesPhotoshop, "", ftRaster | ftLayered, TPSDGraphic::Class},
      {"pdd", "", "", ftRaster | ftLayered, TPSDGraphic::Class},
      {"ppm", gesPortable, gesPortablePixel, ftRaster, TPPMGraphic::Class},
      {"pgm", "", gesPortableGray, ftRaster, TPPMGraphic::Class},
      {"pbm", "", gesPortableMono, ftRaster, TPPMGraphic::Class},
      {"cel", gesAutodesk, "", ftRaster, TAutodeskGraphic::Class},
      {"pic", gesAutodesk, "", ftRaster, TAutodeskGraphic::Class},
      {"pcd", gesKodakPhotoCD, "", ftRaster, TPCDGraphic::Class},
      {"cut", gesHalo, "", ftRaster, TCUTGraphic::Class},
      {"psp", gesPaintShopPro, "", ftRaster | ftVector, TPSPGraphic::Class},
      {"png", gesPortableNetworkGraphic, "", ftRaster, TPNGGraphic::Class},
  };
  for (const Row& r : rows) FileFormatList.RegisterFileFormat(r.extension, r.common, r.individual, r.types, false, r.c);
}

void UnregisterStandardFormats() {
  for (const TGraphicClass* c : {&TPSPGraphic::Class, &TPSDGraphic::Class, &TTargaGraphic::Class, &TTIFFGraphic::Class,
                                 &TSGIGraphic::Class, &TPCXGraphic::Class, &TAutodeskGraphic::Class, &TPCDGraphic::Class,
                                 &TPPMGraphic::Class, &TCUTGraphic::Class, &TRLAGraphic::Class})
    FileFormatList.UnregisterFileFormat("", c);
  FileFormatList.UnregisterFileFormat("rle", &toolkit::TBitmapGraphic::Class);
  FileFormatList.UnregisterFileFormat("dib", &toolkit::TBitmapGraphic::Class);
  FileFormatList.UnregisterFileFormat("", &TPNGGraphic::Class);
}

void ResetState() {
  FileFormatList.Clear();
  toolkit::TPicture::ResetState();
  RegisterStandardFormats();
}

namespace {

// A new picture of the class the content picks, else of the extension's class.
std::unique_ptr<toolkit::TGraphic> GraphicFor(std::span<const std::uint8_t> bytes, std::string_view extension) {
  const TGraphicClass* c = FileFormatList.GraphicFromContent(bytes);
  if (c != nullptr && c->Create != nullptr) return c->Create();
  return toolkit::TPicture::CreateForExtension(extension);
}

}  // namespace

std::unique_ptr<toolkit::TGraphic> LoadGraphicFromBytes(std::span<const std::uint8_t> bytes, std::string_view extension) {
  auto graphic = GraphicFor(bytes, extension);
  graphic->LoadFromBytes(bytes);
  return graphic;
}

// The file is read once; the picture still learns its name, so a reader can find files
// beside it.
std::unique_ptr<toolkit::TGraphic> LoadGraphicFile(const std::string& fileName) {
  const toolkit::TPictureFile file(fileName);
  auto graphic = GraphicFor(file.Bytes(), toolkit::PictureExtension(fileName));
  graphic->LoadFromFileBytes(fileName, file.Bytes());
  return graphic;
}

// ---- Helpers ----

void RaiseGraphicError(const std::string& message) { throw toolkit::EInvalidGraphic(message); }

void RaiseGraphicError(std::string_view format, std::initializer_list<std::string_view> arguments) {
  throw toolkit::EInvalidGraphic(RasterStrings::Format(format, arguments));
}

std::string StreamReadError(std::string_view format) { return RasterStrings::Format(RasterStrings::gesStreamReadError, {format}); }

void SwapShortArray(std::span<std::uint16_t> words) {
  for (auto& w : words) w = static_cast<std::uint16_t>(w << 8 | w >> 8);
}

std::uint32_t SwapLong(std::uint32_t v) {
  return v >> 24 | (v >> 8 & 0xFF00) | (v << 8 & 0xFF0000) | v << 24;
}

void SwapLongArray(std::span<std::uint32_t> longs) {
  for (auto& v : longs) v = SwapLong(v);
}

void ApplyPredictor8(std::span<std::uint8_t> row, std::uint32_t count, std::uint32_t samples) {
  const std::uint64_t n = std::uint64_t{count} * samples;
  if (n + samples > row.size()) throw std::invalid_argument("ApplyPredictor8: row too short");
  for (std::uint64_t i = 0; i < n; ++i) row[i + samples] = static_cast<std::uint8_t>(row[i + samples] + row[i]);
}

void UpsamplePlane(std::uint32_t width, std::uint32_t height, std::uint32_t scanLength, std::span<std::uint8_t> plane) {
  if (width == 0 || height == 0) return;
  if (scanLength < 2ull * width || plane.size() < 2ull * height * scanLength)
    throw std::invalid_argument("UpsamplePlane: plane too small");
  auto at = [&](std::uint64_t row, std::uint64_t col) -> std::uint8_t& { return plane[row * scanLength + col]; };
  const std::uint64_t w = width, h = height;
  for (std::uint64_t r = h; r-- > 0;) {
    at(2 * r, 2 * w - 1) = at(2 * r, 2 * w - 2) = at(r, w - 1);
    for (std::uint64_t c = w - 1; c-- > 0;) {
      const unsigned s = at(r, c), t = at(r, c + 1);
      at(2 * r, 2 * c + 1) = static_cast<std::uint8_t>((s + t + 1) / 2);
      at(2 * r, 2 * c) = static_cast<std::uint8_t>(s);
    }
  }
  for (std::uint64_t r = 0; r + 1 < h; ++r) {
    for (std::uint64_t c = 0; c + 1 < w; ++c) {
      const unsigned aL = at(2 * r, 2 * c), aR = at(2 * r, 2 * c + 2), bL = at(2 * r + 2, 2 * c), bR = at(2 * r + 2, 2 * c + 2);
      at(2 * r + 1, 2 * c) = static_cast<std::uint8_t>((aL + bL + 1) / 2);
      at(2 * r + 1, 2 * c + 1) = static_cast<std::uint8_t>((aL + aR + bL + bR + 2) / 4);
    }
    const auto last = static_cast<std::uint8_t>((at(2 * r, 2 * w - 2) + at(2 * r + 2, 2 * w - 2) + 1) / 2);
    at(2 * r + 1, 2 * w - 2) = at(2 * r + 1, 2 * w - 1) = last;
  }
  std::copy_n(&at(2 * h - 2, 0), 2 * w, &at(2 * h - 1, 0));
}

}  // namespace RasterGraphics
