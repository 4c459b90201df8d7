#include "DLG_KORVEX_Calcule_Recap.h"

int main(int argc, char* argv[]) { return DLG_KORVEX_Calcule_Recap(argc, argv); }
