#include "transmission/IambicKeyer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct PaddleChange {
    double at;
    bool dot, dash;
};

// Runs the keyer through the changes and on until it is idle; the elements
// sent as ".-", each checked against the unit.
std::string Keyed(IambicMode mode, const std::vector<PaddleChange>& changes,
                  std::vector<KeyEdge>* all = nullptr) {
    const double unit = 10;
    IambicKeyer keyer(mode, unit);
    std::vector<KeyEdge> edges;
    for (const PaddleChange& c : changes) {
        const std::vector<KeyEdge> e = keyer.Paddles(c.dot, c.dash, c.at);
        edges.insert(edges.end(), e.begin(), e.end());
    }
    for (int guard = 0; guard < 100 && std::isfinite(keyer.NextEdgeMs()); ++guard) {
        const std::vector<KeyEdge> e = keyer.Advance(keyer.NextEdgeMs());
        edges.insert(edges.end(), e.begin(), e.end());
    }
    std::string sent;
    for (size_t i = 0; i + 1 < edges.size(); i += 2) {
        EXPECT_TRUE(edges[i].down && !edges[i + 1].down);
        const double length = edges[i + 1].timeMs - edges[i].timeMs;
        EXPECT_TRUE(length == unit || length == 3 * unit) << length;
        if (i >= 2) {
            EXPECT_GE(edges[i].timeMs - edges[i - 1].timeMs, unit);
        }
        sent += length == unit ? '.' : '-';
    }
    EXPECT_EQ(edges.size() % 2, 0u);
    if (all)
        *all = edges;
    return sent;
}

TEST(IambicKeyer, SqueezesWorkedByHand) {
    // Unit 10 ms: a dot is 10, a dash 30, each followed by 10 of silence; the
    // next element is chosen when the silence ends.
    struct Case {
        const char* what;
        std::vector<PaddleChange> changes;
        const char* modeA;
        const char* modeB;
    };
    const Case cases[] = {
        {"dot held for two elements", {{0, true, false}, {25, false, false}}, "..", ".."},
        {"dash tapped", {{0, false, true}, {5, false, false}}, "-", "-"},
        {"squeeze released during the first dot", {{0, true, true}, {5, false, false}}, ".", ".-"},
        {"squeeze released during the dash (20-50)", {{0, true, true}, {35, false, false}}, ".-", ".-."},
        {"squeeze held through dot-dash-dot-dash (dash 80-110)",
         {{0, true, true}, {100, false, false}},
         ".-.-",
         ".-.-."},
        // B remembers the dot held during the dash even when it is let go after.
        {"squeeze released in the silence after the dash",
         {{0, true, true}, {55, false, false}},
         ".-",
         ".-."},
        {"dot tapped during a held dash: remembered",
         {{0, false, true}, {10, true, true}, {15, false, true}, {20, false, false}},
         "-.",
         "-."},
        {"dash added while dots repeat, both released in its silence",
         {{0, true, false}, {25, true, true}, {75, false, false}},
         "..-",
         "..-."},
        {"dash pressed and released within a dot: remembered",
         {{0, true, false}, {3, true, true}, {6, true, false}, {8, false, false}},
         ".-",
         ".-"},
        {"dash, then a squeeze released during the remembered dot (40-50)",
         {{0, false, true}, {10, true, true}, {45, false, false}},
         "-.",
         "-.-"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Keyed(IambicMode::A, c.changes), c.modeA) << c.what;
        EXPECT_EQ(Keyed(IambicMode::B, c.changes), c.modeB) << c.what;
    }
}

TEST(IambicKeyer, EdgesFallOnTheUnitGridFromThePress) {
    std::vector<KeyEdge> edges;
    EXPECT_EQ(Keyed(IambicMode::B, {{1000, true, true}, {1005, false, false}}, &edges), ".-");
    const double expected[] = {1000, 1010, 1020, 1050};
    ASSERT_EQ(edges.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(edges[i].timeMs, expected[i]);
        EXPECT_EQ(edges[i].down, i % 2 == 0);
    }

    IambicKeyer keyer(IambicMode::A, 10);
    EXPECT_TRUE(std::isinf(keyer.NextEdgeMs()));
    const std::vector<KeyEdge> first = keyer.Paddles(false, true, 0);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE(keyer.KeyDown());
    EXPECT_DOUBLE_EQ(keyer.NextEdgeMs(), 30);
    EXPECT_TRUE(keyer.Advance(29.9).empty());
    // A late call gets every edge that fell due meanwhile, at its own time;
    // a new unit applies from the next silence on.
    keyer.SetUnitMs(20);
    const std::vector<KeyEdge> late = keyer.Paddles(false, false, 75);
    ASSERT_EQ(late.size(), 2u); // up at 30, and the dash still held at 50 starts another
    EXPECT_DOUBLE_EQ(late[0].timeMs, 30);
    EXPECT_DOUBLE_EQ(late[1].timeMs, 50);
    const std::vector<KeyEdge> end = keyer.Advance(1000);
    ASSERT_EQ(end.size(), 1u);
    EXPECT_DOUBLE_EQ(end[0].timeMs, 110);
    EXPECT_TRUE(std::isinf(keyer.NextEdgeMs()));
}

} // namespace
