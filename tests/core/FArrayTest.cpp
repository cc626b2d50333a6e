#include "FCommon/FArray.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

size_t g_failAtOrAbove = static_cast<size_t>(-1);
void* FailingAlloc(size_t bytes) { return bytes >= g_failAtOrAbove ? nullptr : std::malloc(bytes); }

struct AllocFailure {
    explicit AllocFailure(size_t bytes) {
        g_failAtOrAbove = bytes;
        previous = FCSetAllocHook(FailingAlloc);
    }
    ~AllocFailure() { FCSetAllocHook(previous); }
    FCAllocFunction previous;
};

FCArray<uint32_t> Counting(uint32_t n) {
    FCArray<uint32_t> a(n);
    for (uint32_t i = 0; i < n; ++i)
        *a.At(i) = i;
    return a;
}

} // namespace

TEST(FCArray, SizeChangesKeepExactContents) {
    FCArray<uint32_t> a = Counting(3);
    a.Resize(5, 7);
    ASSERT_EQ(a.GetCount(), 5u);
    EXPECT_EQ(*a.At(2), 2u);
    EXPECT_EQ(*a.At(3), 7u);
    EXPECT_EQ(*a.At(4), 7u);
    a.Resize(0);
    EXPECT_EQ(a.GetCount(), 0u);
    EXPECT_EQ(a.GetData(), nullptr);

    FCArray<uint32_t> b = Counting(4);
    const uint32_t extra[2] = {90, 91};
    b.Insert(4, extra, 2); // at the end: append
    b.Insert(1, extra, 1);
    const uint32_t expect[] = {0, 90, 1, 2, 3, 90, 91};
    ASSERT_EQ(b.GetCount(), 7u);
    EXPECT_EQ(std::memcmp(b.GetData(), expect, sizeof expect), 0);
    b.Delete(1, 2);
    const uint32_t afterDelete[] = {0, 2, 3, 90, 91};
    ASSERT_EQ(b.GetCount(), 5u);
    EXPECT_EQ(std::memcmp(b.GetData(), afterDelete, sizeof afterDelete), 0);
    b.Delete(3, 0);
    b.Insert(0, extra, 0);
    EXPECT_EQ(b.GetCount(), 5u);
    b.Delete(0, 5);
    EXPECT_EQ(b.GetData(), nullptr);
}

TEST(FCArray, CopyFillSetAndAttach) {
    FCArray<uint8_t> a(4);
    a.Fill(1);
    a.Fill(9, 1, 2);
    const uint8_t filled[] = {1, 9, 9, 1};
    EXPECT_EQ(std::memcmp(a.GetData(), filled, 4), 0);
    const uint8_t src[] = {5, 6};
    a.Set(2, src, 2);
    FCArray<uint8_t> b;
    b = a;
    b = b; // self-assignment changes nothing
    const uint8_t copied[] = {1, 9, 5, 6};
    ASSERT_EQ(b.GetCount(), 4u);
    EXPECT_EQ(std::memcmp(b.GetData(), copied, 4), 0);
    EXPECT_NE(b.GetData(), a.GetData());

    uint8_t* block = static_cast<uint8_t*>(std::malloc(2));
    uint8_t* old = b.Attach(block, 2);
    EXPECT_EQ(b.GetCount(), 2u);
    EXPECT_EQ(b.GetData(), block);
    std::free(old);
}

TEST(FCArray, AllocationFailureThrowsAndKeepsTheArray) {
    FCArray<uint32_t> a = Counting(100);
    const uint32_t ten[10] = {};
    try {
        AllocFailure fail(440);
        a.Insert(5, ten, 10);
        FAIL() << "no exception";
    } catch (const FCMemException& e) {
        EXPECT_EQ(e.GetLine(), 238);
        EXPECT_EQ(e.GetSize(), 440);
        EXPECT_NE(e.GetFile().find("FArray"), std::string::npos);
        EXPECT_EQ(e.GetMessageText(),
                  "FCArray::Insert : Для завершения операции недостаточно как минимум 440 байт оперативной памяти.");
    }
    ASSERT_EQ(a.GetCount(), 100u);
    EXPECT_EQ(*a.At(99), 99u);

    struct Case {
        int line;
        const char* op;
        std::function<void()> run;
    };
    FCArray<uint32_t> b = Counting(10);
    const Case cases[] = {
        {85, "FCArray::FCArray", [] { FCArray<uint32_t> c(4); }},
        {61, "FCArray::_Copy", [&] { FCArray<uint32_t> c; c = b; }},
        {133, "FCArray::Resize", [&] { b.Resize(20); }},
        {163, "FCArray::Resize", [&] { b.Resize(20, 1); }},
        {301, "FCArray::Delete", [&] { b.Delete(0, 1); }},
    };
    for (const Case& c : cases) {
        AllocFailure fail(1);
        try {
            c.run();
            ADD_FAILURE() << c.op << " did not throw";
        } catch (const FCException& e) { // catchable through the base type too
            EXPECT_EQ(e.GetLine(), c.line) << c.op;
            EXPECT_EQ(e.GetMessageText().rfind(c.op, 0), 0u) << e.GetMessageText();
        }
    }
    EXPECT_EQ(b.GetCount(), 10u);
}

TEST(FCException, LongTextsAreCutWithDots) {
    const std::string path(300, 'p');
    FCException e(path.c_str(), 7, nullptr);
    EXPECT_EQ(e.GetFile(), std::string(252, 'p') + "...");
    EXPECT_EQ(e.GetMessageText(), "");
    EXPECT_GT(e.GetTime(), 0);
    FCMemException m(nullptr, 1, nullptr, 12);
    EXPECT_EQ(m.GetMessageText().rfind("###Unknown function### : ", 0), 0u);
}
