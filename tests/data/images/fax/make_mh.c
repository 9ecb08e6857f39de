/* Writes bilevel TIFF files with libtiff's modified Huffman coders (compression 2 and
   32771), which no Debian command writes, and the same rows as raw PBM files.
   Usage: make_mh WIDTH HEIGHT ROWSPERSTRIP SEED NAME -> NAME_mh.tif NAME_mhw.tif NAME.pbm */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <tiffio.h>

static unsigned state;
static unsigned next(void) { state = state * 134775813u + 1u; return state >> 16; }

static void write_tiff(const char *path, int compression, unsigned w, unsigned h, unsigned rps,
                       unsigned char *rows, unsigned stride) {
  TIFF *t = TIFFOpen(path, "w");
  if (!t) exit(1);
  TIFFSetField(t, TIFFTAG_IMAGEWIDTH, w);
  TIFFSetField(t, TIFFTAG_IMAGELENGTH, h);
  TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 1);
  TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
  TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
  TIFFSetField(t, TIFFTAG_COMPRESSION, compression);
  TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, rps);
  for (unsigned y = 0; y < h; ++y)
    if (TIFFWriteScanline(t, rows + y * stride, y, 0) < 0) exit(1);
  TIFFClose(t);
}

int main(int argc, char **argv) {
  if (argc != 6) return 2;
  unsigned w = atoi(argv[1]), h = atoi(argv[2]), rps = atoi(argv[3]);
  state = atoi(argv[4]);
  unsigned stride = (w + 7) / 8;
  unsigned char *rows = calloc(stride, h);
  for (unsigned y = 0; y < h; ++y) {
    unsigned style = next() % 3;
    for (unsigned x = 0; x < w; ++x) {
      int black = style == 0 ? next() % 2 : style == 1 ? (x / (1 + y % 37)) % 2 : x > w / 3;
      if (x + 2 >= w && w > 2) black = 1;
      if (black) rows[y * stride + x / 8] |= 0x80 >> (x % 8);
    }
  }
  char path[256];
  snprintf(path, sizeof path, "%s_mh.tif", argv[5]);
  write_tiff(path, COMPRESSION_CCITTRLE, w, h, rps, rows, stride);
  snprintf(path, sizeof path, "%s_mhw.tif", argv[5]);
  write_tiff(path, COMPRESSION_CCITTRLEW, w, h, rps, rows, stride);
  snprintf(path, sizeof path, "%s.pbm", argv[5]);
  FILE *f = fopen(path, "wb");
  fprintf(f, "P4\n%u %u\n", w, h);
  fwrite(rows, stride, h, f);
  fclose(f);
  return 0;
}
