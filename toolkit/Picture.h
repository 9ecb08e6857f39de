#pragma once
// Pictures that load from files into a bitmap, and the picture registry that finds a
// picture class by a file's extension. The toolkit's own classes read Windows bitmaps,
// icons and JPEG files and refuse metafiles; the image readers add theirs.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "toolkit/Bitmap.h"

namespace toolkit {

class TGraphic;

// A class reference: its name, how to make one, its parent and, for classes that can tell
// their files by content, the content test.
struct TGraphicClass {
  const char* ClassName;
  std::unique_ptr<TGraphic> (*Create)();
  const TGraphicClass* Parent = nullptr;
  bool (*CanLoad)(std::span<const std::uint8_t> bytes) = nullptr;

  bool InheritsFrom(const TGraphicClass& ancestor) const;
};

template <class T>
std::unique_ptr<TGraphic> MakeGraphic() { return std::make_unique<T>(); }

enum class TProgressStage { Starting, Running, Ending };

// A picture is a bitmap that knows how to load itself.
class TGraphic : public TBitmap {
public:
  virtual ~TGraphic() = default;
  static const TGraphicClass Class;
  virtual const TGraphicClass& ClassType() const = 0;
  // Loads the picture from a whole file's bytes; raises EInvalidGraphic (or the reader's
  // own error) for anything it cannot read whole.
  virtual void LoadFromBytes(std::span<const std::uint8_t> bytes) = 0;
  // Reads the file whole (EFileError when it cannot), then LoadFromFileBytes.
  void LoadFromFile(const std::string& fileName);
  // Loads from the bytes of the file `fileName`, read whole by the caller: LoadFromBytes,
  // unless a reader also looks for files beside that one.
  virtual void LoadFromFileBytes(const std::string& /*fileName*/, std::span<const std::uint8_t> bytes) {
    LoadFromBytes(bytes);
  }

  std::function<void(TProgressStage stage, int percent, const std::string& message)> OnProgress;

protected:
  void Progress(TProgressStage stage, int percent, const std::string& message) const {
    if (OnProgress) OnProgress(stage, percent, message);
  }
};

// Windows bitmaps (BMP, RLE, DIB).
class TBitmapGraphic : public TGraphic {
public:
  static const TGraphicClass Class;
  const TGraphicClass& ClassType() const override { return Class; }
  void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
};

// Windows icons: the largest and deepest image of the file.
class TIcon : public TGraphic {
public:
  static const TGraphicClass Class;
  const TGraphicClass& ClassType() const override { return Class; }
  void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
};

// Windows metafiles are drawings this program cannot render: loading one is refused.
class TMetafile : public TGraphic {
public:
  static const TGraphicClass Class;
  const TGraphicClass& ClassType() const override { return Class; }
  void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
};

// JPEG/JFIF files through libjpeg: baseline and progressive, grey (8-bit grey palette),
// RGB, YCbCr and CMYK (24-bit).
class TJPEGImage : public TGraphic {
public:
  static const TGraphicClass Class;
  const TGraphicClass& ClassType() const override { return Class; }
  void LoadFromBytes(std::span<const std::uint8_t> bytes) override;
};

// The picture registry: extension (without the dot, any case) -> description and class.
namespace TPicture {
void RegisterFileFormat(const std::string& extension, const std::string& description, const TGraphicClass& graphicClass);
void UnregisterGraphicClass(const TGraphicClass& graphicClass);
const TGraphicClass* ClassForExtension(std::string_view extension);
std::string DescriptionForExtension(std::string_view extension);
// Loads a file with the class registered for its extension; an unknown extension raises
// EInvalidGraphic("Unknown picture file extension (.ext)").
// A new, empty picture of the class registered for `extension`; EInvalidGraphic
// "Unknown picture file extension (.x)" when none is.
std::unique_ptr<TGraphic> CreateForExtension(std::string_view extension);
std::unique_ptr<TGraphic> LoadFromFile(const std::string& fileName);
void ResetState();  // empties the registry
}  // namespace TPicture

// The extension of a file name without the dot ("" when the last component has none).
std::string PictureExtension(std::string_view fileName);

}  // namespace toolkit
