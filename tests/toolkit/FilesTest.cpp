#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "support/TempDir.h"
#include "toolkit/FileUtil.h"
#include "toolkit/LineFile.h"
#include "toolkit/Text.h"

using namespace toolkit;

TEST(Files, ExistsMeansARegularFile) {
  testsupport::TempDir dir;
  dir.write("a.txt", "x");
  std::filesystem::create_directory(dir.path() / "sub");
  EXPECT_TRUE(FileExists(dir.file("a.txt")));
  EXPECT_FALSE(FileExists(dir.file("sub")));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(dir.file("missing")));
  EXPECT_EQ(FileSize(dir.file("a.txt")), 1);
}

TEST(Files, BackslashesSeparateDirectoriesToo) {
  testsupport::TempDir dir;
  std::filesystem::create_directory(dir.path() / "sub");
  dir.write("sub/b.txt", "y");
  EXPECT_TRUE(FileExists(dir.path().string() + "\\sub\\b.txt"));
}

TEST(Files, CaseInsensitiveLookupFindsTheFileOnDisk) {
  testsupport::TempDir dir;
  dir.write("bild.pcx", "p");
  const auto found = FindFileCaseInsensitive(dir.file("BILD.PCX"));
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, dir.file("bild.pcx"));
  EXPECT_FALSE(FindFileCaseInsensitive(dir.file("OTHER.PCX")));
}

TEST(Files, RenameAndErase) {
  testsupport::TempDir dir;
  dir.write("a", "1");
  EXPECT_TRUE(RenameFile(dir.file("a"), dir.file("b")));
  EXPECT_FALSE(dir.exists("a"));
  EXPECT_EQ(dir.read("b"), "1");
  EXPECT_TRUE(EraseFile(dir.file("b")));
  EXPECT_FALSE(EraseFile(dir.file("b")));
}

TEST(Files, AtomicWriteKeepsTheOldFileWhenItFails) {
  testsupport::TempDir dir;
  dir.write("keep", "old");
  std::string error;
  EXPECT_FALSE(WriteFileAtomic(dir.file("nodir/keep"), "new", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(WriteFileAtomic(dir.file("keep"), "new"));
  EXPECT_EQ(dir.read("keep"), "new");
  EXPECT_FALSE(dir.exists("keep.tmp"));
}

// The temporary file has a name of its own, so a user's "keep.tmp" stays; the file replaced
// keeps its mode; a write-protected file is refused by its mode bits (as root too).
TEST(Files, AtomicWriteKeepsModeAndRefusesAWriteProtectedFile) {
  namespace fs = std::filesystem;
  testsupport::TempDir dir;
  dir.write("keep", "old");
  dir.write("keep.tmp", "mine");
  const auto lesbar = fs::perms::owner_read | fs::perms::group_read;
  fs::permissions(dir.file("keep"), lesbar | fs::perms::owner_write);
  EXPECT_FALSE(FileWriteProtected(dir.file("keep")));
  ASSERT_TRUE(WriteFileAtomic(dir.file("keep"), "new"));
  EXPECT_EQ(fs::status(dir.file("keep")).permissions(), lesbar | fs::perms::owner_write);

  fs::permissions(dir.file("keep"), lesbar);
  EXPECT_TRUE(FileWriteProtected(dir.file("keep")));
  std::string error;
  EXPECT_FALSE(WriteFileAtomic(dir.file("keep"), "newer", &error));
  EXPECT_EQ(error, "Keine Berechtigung");
  EXPECT_EQ(std::tuple(dir.read("keep"), dir.read("keep.tmp"), std::distance(fs::directory_iterator(dir.path()), {})),
            std::tuple("new", "mine", 2));  // no temporary file left
  EXPECT_FALSE(FileWriteProtected(dir.file("missing")));
}

// The reasons a user meets read in German under the C locale too; any other gives its number.
TEST(Files, SystemReasonsAreGermanWhateverTheLocale) {
  const std::string vorher = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  std::vector<std::string> texte;
  for (int nummer : {ENOSPC, EACCES, EPERM, ENOENT, EROFS, EISDIR, EFBIG, EIO, ENOTDIR, 4095})
    texte.push_back(Cp1252ToUtf8(SystemErrorText(nummer)));
  errno = EROFS;
  texte.push_back(Cp1252ToUtf8(LastErrorText()));
  std::setlocale(LC_ALL, vorher.c_str());
  EXPECT_EQ(texte, (std::vector<std::string>{"Kein Platz mehr auf dem Datenträger", "Keine Berechtigung",
                                             "Keine Berechtigung", "Datei oder Verzeichnis nicht gefunden",
                                             "Schreibgeschütztes Dateisystem", "Ist ein Verzeichnis", "Datei zu groß",
                                             "Ein-/Ausgabefehler", "Ein Teil des Pfades ist kein Verzeichnis",
                                             "Systemfehler Nr. 4095", "Schreibgeschütztes Dateisystem"}));
}

TEST(Files, WholeFileReadsRefuseDirectoriesAndFilesAboveTheirLimit) {
  testsupport::TempDir dir;
  dir.write("f", "abc");
  std::filesystem::create_directory(dir.path() / "sub");
  std::vector<std::uint8_t> bytes{9};
  EXPECT_TRUE(ReadFileBytes(dir.file("f"), bytes, 3));
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'a', 'b', 'c'}));
  EXPECT_FALSE(ReadFileBytes(dir.file("f"), bytes, 2));
  EXPECT_EQ(errno, EFBIG);
  EXPECT_TRUE(bytes.empty());
  std::string text = "old";
  EXPECT_FALSE(ReadFileText(dir.file("sub"), text));
  EXPECT_EQ(errno, EISDIR);
  EXPECT_TRUE(text.empty());
  EXPECT_FALSE(ReadFileText(dir.file("missing"), text));
  EXPECT_EQ(errno, ENOENT);
  dir.write("empty", "");
  EXPECT_TRUE(ReadFileText(dir.file("empty"), text));
  EXPECT_TRUE(text.empty());
}

TEST(LineFiles, CrLfOnWriteAnyEndOnRead) {
  testsupport::TempDir dir;
  ASSERT_TRUE(WriteLineFile(dir.file("l.txt"), {"A", "", "B"}));
  EXPECT_EQ(dir.read("l.txt"), "A\r\n\r\nB\r\n");
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(SplitLines("").empty());
  std::vector<std::string> lines;
  EXPECT_FALSE(ReadLineFile(dir.file("missing"), lines));
}
