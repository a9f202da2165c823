#include "UFileNames.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

TEST(ChangeFileExt, ReplacesOnlyTheExtensionOfTheLastComponent) {
    EXPECT_EQ(ChangeFileExt("data.txt", ".inp"), "data.inp");
    EXPECT_EQ(ChangeFileExt("x.out", ".inp"), "x.inp");
    EXPECT_EQ(ChangeFileExt("/tmp/a.b/c", ".inp"), "/tmp/a.b/c.inp");
    EXPECT_EQ(ChangeFileExt("/tmp/a.b/c.d.inp", ".out"), "/tmp/a.b/c.d.out");
    EXPECT_EQ(ChangeFileExt("/home/site", ".out"), "/home/site.out");
    EXPECT_EQ(ChangeFileExt("", ".inp"), ".inp");
}

TEST(ChangeDataFileExt, KeepsTheLetterCaseOfAnInputOrOutputExtension) {
    for (const auto& [name, extension, changed] :
         std::vector<std::array<const char*, 3>>{{"/a/UP.INP", ".out", "/a/UP.OUT"},
                                                 {"UP.OUT", ".inp", "UP.INP"},
                                                 {"up.Inp", ".out", "up.Out"},
                                                 {"up.inP", ".inp", "up.inP"},
                                                 {"UP.inp", ".out", "UP.out"},
                                                 {"UP.TXT", ".inp", "UP.inp"},
                                                 {"/A.INP/up", ".out", "/A.INP/up.out"}}) {
        EXPECT_EQ(ChangeDataFileExt(name, extension), changed);
    }
}

TEST(ExtractFilePath, KeepsTheFolderWithItsSeparator) {
    EXPECT_EQ(ExtractFilePath("/a/b/c.inp"), "/a/b/");
    EXPECT_EQ(ExtractFilePath("/c.inp"), "/");
    EXPECT_EQ(ExtractFilePath("c.inp"), "");
    EXPECT_EQ(ExtractFilePath("/a/b/"), "/a/b/");
}

TEST(FileExists, OnlyForAnExistingRegularFile) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::filesystem::path file = folder / "soravik_file_exists_test.inp";
    std::ofstream(file) << "x";
    EXPECT_TRUE(FileExists(file.string()));
    EXPECT_FALSE(FileExists(folder.string()));
    std::filesystem::remove(file);
    EXPECT_FALSE(FileExists(file.string()));
    EXPECT_FALSE(FileExists(""));
}

TEST(DataFileKindOf, ByTheExtensionOfTheLastComponentInAnyCase) {
    EXPECT_EQ(DataFileKindOf("/a/field.inp"), TDataFileKind::Input);
    EXPECT_EQ(DataFileKindOf("FIELD.INP"), TDataFileKind::Input);
    EXPECT_EQ(DataFileKindOf("/a/b.c/field.Out"), TDataFileKind::Output);
    EXPECT_EQ(DataFileKindOf("/a/field.inp.txt"), TDataFileKind::Other);
    EXPECT_EQ(DataFileKindOf("/a.inp/field"), TDataFileKind::Other);
    EXPECT_EQ(DataFileKindOf("/a/.output"), TDataFileKind::Other);
}

} // namespace
