// The main of the test programs that also run with every fast path of the core switched off:
// --sans-raccourcis runs the plain twins, which must give the same bits.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "platform/Invariant.h"
#include "platform/Raccourcis.h"

int main(int argc, char** argv) {
  // A broken invariant ends the run at once, with its stack.
  plateforme::Arreter_Sur_Invariant(true);
  int n = 0;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sans-raccourcis") == 0) {
      plateforme::Fixer_Raccourcis({false, false, false, false, false});
      std::printf("Sans raccourcis : règles générales pour chaque ligne, chaque mois demandé, un seul fil, "
                  "pointeurs lus un à un et triés.\n");
    } else {
      argv[n++] = argv[i];
    }
  }
  argc = n;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
