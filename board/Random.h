#pragma once
// The pseudo-random generator behind the tour search: one process-wide stream
// for the game (Random), and streams of their own for the search's walkers on
// other threads. Inline, because the search draws inside its innermost loop.

#include <cstdint>

// xoshiro128** state: small, fast and well distributed.
struct TRandomState {
  uint32_t S[4];
};

namespace RandomDetail {
// The game's stream; used on the interface thread only.
inline TRandomState State = {{0x9E3779B9u, 0x243F6A88u, 0xB7E15162u, 0x85A308D3u}};

inline uint32_t Rotl(uint32_t x, int k)
{
  return (x << k) | (x >> (32 - k));
}

// The output of a state whose second word is s1.
inline uint32_t Output(uint32_t s1)
{
  return Rotl(s1 * 5, 7) * 9;
}

// One step of the generator on the given state; returns its output.
inline uint32_t Step(uint32_t& s0, uint32_t& s1, uint32_t& s2, uint32_t& s3)
{
  const uint32_t result = Output(s1);
  const uint32_t t = s1 << 9;
  s2 ^= s0;
  s3 ^= s1;
  s1 ^= s2;
  s0 ^= s3;
  s2 ^= t;
  s3 = Rotl(s3, 11);
  return result;
}

// Maps 32 random bits onto 0 .. n - 1 by multiply-high; exact for powers of two.
inline int Scale(uint32_t bits, int n)
{
  return static_cast<int>((static_cast<uint64_t>(bits) * static_cast<uint32_t>(n)) >> 32);
}
}  // namespace RandomDetail

// A uniform integer from 0 to n - 1 (n >= 1), from the given stream.
inline int Random(TRandomState& s, int n)
{
  return RandomDetail::Scale(RandomDetail::Step(s.S[0], s.S[1], s.S[2], s.S[3]), n);
}

// The same from the game's stream.
inline int Random(int n)
{
  return Random(RandomDetail::State, n);
}

// A stream copied into local variables, for a loop that draws often: the copy
// stays in registers. Draw(n) gives exactly what Random(n) would on that
// stream; Store() hands the state back, after which the stream goes on from
// there.
class TLocalRandom {
public:
  explicit TLocalRandom(TRandomState& home = RandomDetail::State)
      : FHome(home), S0(home.S[0]), S1(home.S[1]), S2(home.S[2]), S3(home.S[3])
  {
  }

  int Draw(int n) { return RandomDetail::Scale(RandomDetail::Step(S0, S1, S2, S3), n); }

  void Store() const
  {
    FHome.S[0] = S0;
    FHome.S[1] = S1;
    FHome.S[2] = S2;
    FHome.S[3] = S3;
  }

private:
  TRandomState& FHome;
  uint32_t S0, S1, S2, S3;
};

// A stream's state made from a 64-bit seed.
TRandomState SeededState(uint64_t seed);

// A new stream seeded from the game's stream (which it advances).
TRandomState SplitStream();

// Seeds the game's stream from the clock.
void Randomize();

// Seeds the game's stream with a fixed value, so that a run can be repeated.
void RandSeed(uint64_t seed);
