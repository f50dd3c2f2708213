#pragma once
// Chance: which tip the launcher shows.
class RandomSeam {
public:
    virtual ~RandomSeam() = default;
    // A random integer in [0, n); 0 when n <= 0. Seeded once per run.
    virtual int randomBelow(int n) = 0;
};
