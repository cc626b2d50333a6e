// The learning page (page 1): Koch lessons and drills of the weak signs.
#pragma once

// The control ids the tests look at.
enum : int {
    LEARN_MODE = 2202,
    LEARN_NUMBER = 2204,
    LEARN_NUMBER_SPIN = 2205,
    LEARN_GROUPS = 2207,
    LEARN_GROUPS_SPIN = 2208,
    LEARN_SPEED = 2210,
    LEARN_SPEED_SPIN = 2211,
    LEARN_EFFECTIVE = 2213,
    LEARN_EFFECTIVE_SPIN = 2214,
    LEARN_LESSONS = 2216,
    LEARN_KIND = 2218,
    LEARN_SIGNS = 2219,
    LEARN_NEW_SIGN = 2220,
    LEARN_PATTERN = 2221,
    LEARN_STATUS = 2222,
    LEARN_WEIGHTS = 2223,
};
