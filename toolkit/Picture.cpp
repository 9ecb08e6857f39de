#include "toolkit/Picture.h"

#include <algorithm>
#include <vector>

#include "toolkit/BitmapFile.h"
#include "toolkit/FileUtil.h"
#include "toolkit/GraphicError.h"
#include "toolkit/Text.h"

namespace toolkit {

const TGraphicClass TGraphic::Class = {"TGraphic", nullptr};
const TGraphicClass TBitmapGraphic::Class = {"TBitmap", &MakeGraphic<TBitmapGraphic>, &TGraphic::Class};
const TGraphicClass TIcon::Class = {"TIcon", &MakeGraphic<TIcon>, &TGraphic::Class};
const TGraphicClass TMetafile::Class = {"TMetafile", &MakeGraphic<TMetafile>, &TGraphic::Class};
const TGraphicClass TJPEGImage::Class = {"TJPEGImage", &MakeGraphic<TJPEGImage>, &TGraphic::Class};

bool TGraphicClass::InheritsFrom(const TGraphicClass& ancestor) const {
  for (const TGraphicClass* c = this; c != nullptr; c = c->Parent)
    if (c == &ancestor) return true;
  return false;
}

void TGraphic::LoadFromFile(const std::string& fileName) { LoadFromFileBytes(fileName, TPictureFile(fileName).Bytes()); }

void TBitmapGraphic::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  static_cast<TBitmap&>(*this) = LoadBitmapFromBytes(bytes);
}

void TMetafile::LoadFromBytes(std::span<const std::uint8_t>) {
  throw EInvalidGraphic("Cannot load image. Windows metafiles (WMF, EMF) are drawings and cannot be shown by this program.");
}

namespace TPicture {
namespace {

struct Entry {
  std::string extension;
  std::string description;
  const TGraphicClass* graphicClass;
};

// Never destroyed, so readers' registries may still unregister while the program ends.
std::vector<Entry>& Registry() {
  static auto* entries = new std::vector<Entry>;
  return *entries;
}

std::vector<Entry>::iterator Find(std::string_view extension) {
  return std::find_if(Registry().begin(), Registry().end(),
                      [&](const Entry& e) { return EqualsIgnoreCaseAscii(e.extension, extension); });
}

}  // namespace

void RegisterFileFormat(const std::string& extension, const std::string& description, const TGraphicClass& graphicClass) {
  const auto it = Find(extension);
  if (it != Registry().end()) *it = {extension, description, &graphicClass};
  else Registry().push_back({extension, description, &graphicClass});
}

void UnregisterGraphicClass(const TGraphicClass& graphicClass) {
  std::erase_if(Registry(), [&](const Entry& e) { return e.graphicClass == &graphicClass; });
}

const TGraphicClass* ClassForExtension(std::string_view extension) {
  const auto it = Find(extension);
  return it == Registry().end() ? nullptr : it->graphicClass;
}

std::string DescriptionForExtension(std::string_view extension) {
  const auto it = Find(extension);
  return it == Registry().end() ? std::string() : it->description;
}

std::unique_ptr<TGraphic> CreateForExtension(std::string_view extension) {
  const TGraphicClass* graphicClass = ClassForExtension(extension);
  if (graphicClass == nullptr || graphicClass->Create == nullptr)
    throw EInvalidGraphic("Unknown picture file extension (." + std::string(extension) + ")");
  return graphicClass->Create();
}

std::unique_ptr<TGraphic> LoadFromFile(const std::string& fileName) {
  auto graphic = CreateForExtension(PictureExtension(fileName));
  graphic->LoadFromFile(fileName);
  return graphic;
}

void ResetState() { Registry().clear(); }

}  // namespace TPicture

std::string PictureExtension(std::string_view fileName) {
  const std::string path = NormalizePath(fileName);
  const auto slash = path.rfind('/'), dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return path.substr(dot + 1);
}

}  // namespace toolkit
