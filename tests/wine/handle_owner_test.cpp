// The handle owner's policies and out-parameter, and the folder listing built on
// the find owner.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "win/folder_listing_win.h"
#include "win/unique_handle.h"

namespace {

std::vector<HANDLE> closed;
void RecordClose(HANDLE h) {
    closed.push_back(h);
}

using NullOwner = UniqueHandle<HANDLE, RecordClose>;
using MinusOneOwner = UniqueHandle<HANDLE, RecordClose, handle_detail::MinusOneIsInvalid>;

HANDLE Fake(int n) {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(n));
}

}  // namespace

TEST(HandleOwner, EachPolicyClosesOnlyWhatItCountsAsValid) {
    closed.clear();
    {
        MinusOneOwner empty;
        EXPECT_FALSE(empty);
        EXPECT_EQ(empty.get(), INVALID_HANDLE_VALUE);
        MinusOneOwner failed(INVALID_HANDLE_VALUE);
        EXPECT_FALSE(failed);
        // Null is a real value for file and find handles.
        MinusOneOwner null(nullptr);
        EXPECT_TRUE(null);
        NullOwner nullOwner(nullptr);
        EXPECT_FALSE(nullOwner);
        NullOwner minusOne(INVALID_HANDLE_VALUE);
        EXPECT_TRUE(minusOne) << "INVALID_HANDLE_VALUE is the current process for kernel handles";
        minusOne.release();
    }
    EXPECT_EQ(closed, (std::vector<HANDLE>{nullptr}));
}

TEST(HandleOwner, ResetPutAndMoveCloseEachHandleOnce) {
    closed.clear();
    MinusOneOwner a(Fake(1));
    a.reset(Fake(2));
    EXPECT_EQ(closed, (std::vector<HANDLE>{Fake(1)}));

    HANDLE* slot = a.put();
    EXPECT_EQ(closed, (std::vector<HANDLE>{Fake(1), Fake(2)})) << "put releases the old handle first";
    EXPECT_EQ(*slot, INVALID_HANDLE_VALUE);
    *slot = Fake(3);
    EXPECT_EQ(a.get(), Fake(3));

    MinusOneOwner b(std::move(a));
    EXPECT_FALSE(a);
    MinusOneOwner c(Fake(4));
    c = std::move(b);
    EXPECT_EQ(closed, (std::vector<HANDLE>{Fake(1), Fake(2), Fake(4)}));
    EXPECT_EQ(c.release(), Fake(3));
    EXPECT_FALSE(c);
    closed.clear();
}

TEST(HandleOwner, PutReceivesARealHandle) {
    UniqueKernelHandle event(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event);
    UniqueKernelHandle copy;
    for (int round = 0; round < 2; ++round) {
        HANDLE previous = copy.get();
        ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), event.get(), ::GetCurrentProcess(), copy.put(), 0, FALSE,
                                      DUPLICATE_SAME_ACCESS));
        ASSERT_TRUE(copy);
        if (previous) {
            DWORD flags = 0;
            // Closed by put(), unless the system handed out the same number again.
            EXPECT_TRUE(previous == copy.get() || !::GetHandleInformation(previous, &flags));
        }
    }
    ::SetEvent(copy.get());
    EXPECT_EQ(::WaitForSingleObject(event.get(), 0), WAIT_OBJECT_0);
}

TEST(FolderListing, ListsMatchingFilesByTheirLongNames) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tavix_listing\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::vector<std::string> files = {"a.png", "B.PNG", "face.pngold", "notes.txt", "README"};
    for (const std::string& name : files)
        UniqueFile(::CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ::CreateDirectoryA((folder + "sub.png").c_str(), nullptr);

    struct Case {
        const char* pattern;
        std::vector<std::string> names;
    } cases[] = {
        {"*.png", {"B.PNG", "a.png"}},
        {"*.txt", {"notes.txt"}},
        {"*.*", {"B.PNG", "README", "a.png", "face.pngold", "notes.txt"}},
        {"*.dll", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> names = ListFileNames(folder + c.pattern);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.names) << c.pattern;
    }
    EXPECT_TRUE(ListFileNames(folder + "missing\\*.png").empty());

    for (const std::string& name : files)
        ::DeleteFileA((folder + name).c_str());
    ::RemoveDirectoryA((folder + "sub.png").c_str());
    ::RemoveDirectoryA(folder.c_str());
}
