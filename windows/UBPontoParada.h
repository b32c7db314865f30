#pragma once
// Where the program may be stopped in the middle of its work, for the tests of what a stop leaves
// behind: when the environment variable MZ_PARAR_EM names Passo, the process ends at once there, as a
// power cut or a crash ends it (no destructor runs, nothing more is written).
void PontoDeParada(const char* Passo);
