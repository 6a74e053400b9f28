#include "slideshow/PhotoList.h"

#include <gtest/gtest.h>

#include "Harness.h"

namespace fs = std::filesystem;

namespace {

void Touch(const fs::path& file) { e2e::WriteFile(file, "x"); }


}  // namespace

TEST(PhotoList, FolderGivesItsPicturesInDirectoryOrderWithoutDescending) {
    e2e::TempDir dir;
    for (const char* name : {"b.jpg", "a.JPEG", "c.Bmp", "d.png", "e.jpg.txt", "noext", ".jpg", "f.jpe"})
        Touch(dir / name);
    Touch(dir / "sub" / "inner.jpg");
    fs::create_directory(dir / "folder.jpg");

    TPhotos photos;
    EXPECT_EQ(AddPath(photos, dir.path().string()), TAddPathResult::Accepted);

    TPhotos expected;
    for (const auto& name : e2e::DirectoryOrder(dir.path()))
        if (name == "b.jpg" || name == "a.JPEG" || name == "c.Bmp" || name == ".jpg")
            expected.push_back(dir.path().string() + "/" + name);
    EXPECT_EQ(photos, expected);
}

TEST(PhotoList, FolderWithPicturesOnlyBelowItIsRejected) {
    e2e::TempDir dir;
    Touch(dir / "sub" / "inner.jpg");
    Touch(dir / "readme.txt");
    TPhotos photos = {"/kept.jpg"};
    EXPECT_EQ(AddPath(photos, dir.path().string()), TAddPathResult::Rejected);
    EXPECT_EQ(photos, TPhotos{"/kept.jpg"});
}

TEST(PhotoList, SingleFilesAreTestedByExtensionInAnyCase) {
    e2e::TempDir dir;
    for (const char* name : {"x.JPEG", "y.jpg", "z.bMp", "photo.PNG", "plain"}) Touch(dir / name);
    Touch(dir / "dotted.jpg" / "plain");

    TPhotos photos;
    for (const char* name : {"x.JPEG", "y.jpg", "z.bMp"})
        EXPECT_EQ(AddPath(photos, (dir / name).string()), TAddPathResult::Accepted) << name;
    for (const char* name : {"photo.PNG", "plain", "dotted.jpg/plain"})
        EXPECT_EQ(AddPath(photos, (dir / name).string()), TAddPathResult::Rejected) << name;
    EXPECT_EQ(photos, (TPhotos{(dir / "x.JPEG").string(), (dir / "y.jpg").string(), (dir / "z.bMp").string()}));
}

TEST(PhotoList, MissingPathsAddNothingAndAreNotRejected) {
    e2e::TempDir dir;
    TPhotos photos;
    EXPECT_EQ(AddPath(photos, (dir / "gone.jpg").string()), TAddPathResult::Accepted);
    EXPECT_EQ(AddPath(photos, (dir / "gone").string() + "/"), TAddPathResult::Accepted);
    EXPECT_EQ(AddPath(photos, ""), TAddPathResult::Accepted);
    EXPECT_TRUE(photos.empty());
}

TEST(PhotoList, EntriesAreOnlyAppendedAndDuplicatesKept) {
    e2e::TempDir dir;
    Touch(dir / "only.jpg");
    std::string folder = dir.path().string();
    TPhotos photos = {"/first.bmp"};
    AddPath(photos, folder);
    AddPath(photos, folder + "/");  // a trailing '/' gives the same paths
    AddPath(photos, folder + "/only.jpg");
    std::string only = folder + "/only.jpg";
    EXPECT_EQ(photos, (TPhotos{"/first.bmp", only, only, only}));
}

TEST(PhotoList, CollectPicturesNamesEntriesAfterTheMasksFolder) {
    e2e::TempDir dir;
    Touch(dir / "p.jpg");
    TPhotos list;
    CollectPictures(dir.path().string() + "/*", list);
    CollectPictures((dir / "missing").string() + "/*", list);
    EXPECT_EQ(list, TPhotos{dir.path().string() + "/p.jpg"});
}
