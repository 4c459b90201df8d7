// The main of the test programs that also run with every fast path of the core switched off:
// --sans-raccourcis runs the plain twins, which must give the same bits.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "platform/Raccourcis.h"

int main(int argc, char** argv) {
  int n = 0;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sans-raccourcis") == 0) {
      plateforme::Fixer_Raccourcis({false, false, false});
      std::printf("Sans raccourcis : lecteur scalaire, chaque mois demandé, un seul fil.\n");
    } else {
      argv[n++] = argv[i];
    }
  }
  argc = n;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
