#include "toolkit/JpegDecompress.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "toolkit/Bitmap.h"
#include "toolkit/GraphicError.h"

namespace toolkit {

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  int code;
  const JpegOptions* options;
  JpegPicture* picture;
};

struct SpanSource {
  jpeg_source_mgr pub;
  std::span<const std::uint8_t> data;
};

// Everything the library touches; zero-initialised, trivially destructible.
struct Context {
  jpeg_decompress_struct cinfo;
  ErrorManager error;
  SpanSource source;
  bool created;
};

void ErrorExit(j_common_ptr cinfo) {
  auto* error = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, error->message);
  error->code = cinfo->err->msg_code;
  std::longjmp(error->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  auto* error = reinterpret_cast<ErrorManager*>(cinfo->err);
  cinfo->err->num_warnings++;
  error->picture->warnings++;
  if (cinfo->err->msg_code == JWRN_JPEG_EOF) error->picture->truncated = true;
  if (error->options->warning) {
    char text[JMSG_LENGTH_MAX];
    (*cinfo->err->format_message)(cinfo, text);
    error->options->warning(cinfo->err->msg_code, text);
  }
}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

// Asked for more data: the input is over. Warn and hand out an end marker, every time.
boolean FillInputBuffer(j_decompress_ptr cinfo) {
  static const JOCTET end[2] = {0xFF, JPEG_EOI};
  WARNMS(cinfo, JWRN_JPEG_EOF);
  cinfo->src->next_input_byte = end;
  cinfo->src->bytes_in_buffer = 2;
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  auto n = static_cast<std::size_t>(count);
  while (n > cinfo->src->bytes_in_buffer) {
    n -= cinfo->src->bytes_in_buffer;
    FillInputBuffer(cinfo);
  }
  cinfo->src->next_input_byte += n;
  cinfo->src->bytes_in_buffer -= n;
}

void UseSpan(Context& c, std::span<const std::uint8_t> data) {
  if (data.empty()) ERREXIT(&c.cinfo, JERR_INPUT_EMPTY);
  c.source.data = data;
  c.source.pub.init_source = InitSource;
  c.source.pub.fill_input_buffer = FillInputBuffer;
  c.source.pub.skip_input_data = SkipInputData;
  c.source.pub.resync_to_restart = jpeg_resync_to_restart;
  c.source.pub.term_source = TermSource;
  c.source.pub.next_input_byte = data.data();
  c.source.pub.bytes_in_buffer = data.size();
  c.cinfo.src = &c.source.pub;
}

JpegHeader HeaderOf(const jpeg_decompress_struct& cinfo) {
  JpegHeader h;
  h.width = static_cast<int>(cinfo.image_width);
  h.height = static_cast<int>(cinfo.image_height);
  h.components = cinfo.num_components;
  h.precision = cinfo.data_precision;
  for (int i = 0; i < cinfo.num_components && i < 4; ++i)
    h.hSampling[i] = cinfo.comp_info[i].h_samp_factor, h.vSampling[i] = cinfo.comp_info[i].v_samp_factor;
  return h;
}

void UseStoredAs(jpeg_decompress_struct& cinfo, JpegStoredAs storedAs) {
  switch (storedAs) {
    case JpegStoredAs::Marked: break;
    case JpegStoredAs::Components: cinfo.jpeg_color_space = cinfo.out_color_space = JCS_UNKNOWN; break;
    case JpegStoredAs::Grey: cinfo.jpeg_color_space = cinfo.out_color_space = JCS_GRAYSCALE; break;
    case JpegStoredAs::RGB: cinfo.jpeg_color_space = JCS_RGB, cinfo.out_color_space = JCS_RGB; break;
    case JpegStoredAs::YCbCr: cinfo.jpeg_color_space = JCS_YCbCr, cinfo.out_color_space = JCS_RGB; break;
  }
}

// Runs the library. Between setjmp and the library calls only trivially destructible
// locals live, as a longjmp must not cross a destructor. False after a fatal error.
bool Run(Context& c, std::span<const std::uint8_t> data, const JpegOptions& options, JpegPicture& out) {
  c.cinfo.err = jpeg_std_error(&c.error.pub);
  c.error.pub.error_exit = ErrorExit;
  c.error.pub.emit_message = EmitMessage;
  c.error.options = &options;
  c.error.picture = &out;
  if (setjmp(c.error.jump)) return false;
  jpeg_create_decompress(&c.cinfo);
  c.created = true;
  c.cinfo.mem->max_memory_to_use = static_cast<long>(MaxBitmapBytes);
  if (!options.tables.empty()) {
    UseSpan(c, options.tables);
    const int tables = jpeg_read_header(&c.cinfo, FALSE);
    if (options.tablesRead) options.tablesRead(tables == JPEG_HEADER_TABLES_ONLY);
  }
  UseSpan(c, data);
  jpeg_read_header(&c.cinfo, TRUE);
  if (options.checkHeader) options.checkHeader(HeaderOf(c.cinfo));
  if (options.storedAs != JpegStoredAs::Marked) UseStoredAs(c.cinfo, options.storedAs);
  if (!options.convertToRgb) c.cinfo.out_color_space = c.cinfo.jpeg_color_space;
  else if (c.cinfo.jpeg_color_space == JCS_YCCK) c.cinfo.out_color_space = JCS_CMYK;
#ifdef JCS_EXTENSIONS
  else if (options.bgr && c.cinfo.out_color_space == JCS_RGB) c.cinfo.out_color_space = JCS_EXT_BGR, out.bgr = true;
#endif
  jpeg_calc_output_dimensions(&c.cinfo);
  const std::uint64_t line = std::uint64_t{c.cinfo.output_width} * c.cinfo.output_components;
  if (c.cinfo.output_height != 0 && line > MaxBitmapBytes / c.cinfo.output_height) {
    std::snprintf(c.error.message, sizeof c.error.message, "JPEG picture of %u x %u pixels refused: it would exceed 1 GiB.",
                  c.cinfo.output_width, c.cinfo.output_height);
    return false;
  }
  jpeg_start_decompress(&c.cinfo);
  out.width = static_cast<int>(c.cinfo.output_width);
  out.height = static_cast<int>(c.cinfo.output_height);
  out.components = c.cinfo.output_components;
  out.adobeInverted = c.cinfo.saw_Adobe_marker;
  const bool direct = options.start && options.rowTarget;
  if (direct) options.start(out);
  else out.pixels.resize(static_cast<std::size_t>(line) * c.cinfo.output_height);
  while (c.cinfo.output_scanline < c.cinfo.output_height) {
    const auto y = static_cast<int>(c.cinfo.output_scanline);
    JSAMPROW row = direct ? options.rowTarget(y) : out.pixels.data() + static_cast<std::size_t>(line) * c.cinfo.output_scanline;
    jpeg_read_scanlines(&c.cinfo, &row, 1);
  }
  jpeg_finish_decompress(&c.cinfo);
  return true;
}

}  // namespace

JpegPicture DecodeJpeg(std::span<const std::uint8_t> data, const JpegOptions& options) {
  auto context = std::make_unique<Context>();
  struct Destroy {
    Context* c;
    ~Destroy() { if (c->created) jpeg_destroy_decompress(&c->cinfo); }
  } destroy{context.get()};
  JpegPicture picture;
  if (!Run(*context, data, options, picture)) throw EJpegError(context->error.message, context->error.code);
  return picture;
}

bool IsEndOfDataWarning(int code) { return code == JWRN_JPEG_EOF; }

}  // namespace toolkit
