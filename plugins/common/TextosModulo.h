#pragma once
// Texts that reach the stand-in modules from outside: the program's streams (CR LF lines: info
// lists, candidate lines, file lists), the calibration file, the capture title and the modules'
// unattended-mode switches. None of them is trusted: what does not read is left out.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plugins/common/RingFinder.h"

// Lines of a text ended by CR LF, CR or LF; a last line without an end counts.
std::vector<std::string> DividirLinhas(const uint8_t* dados, size_t n);

// A number written with "." or "," as the decimal separator, blanks around it allowed; false for
// anything else and for numbers that are not finite.
bool LerNumero(std::string_view texto, double& valor);

// The calibration file: for ring 1, 2, ... a line with a, then a line with b. False (no correction)
// when no pair reads or any pair holds something that is not a number.
bool LerCorrecao(std::string_view texto, CorrecaoAneis& c);

// "Digitalizando Esfera (7.73)": the number between the parentheses; 0 when there is none.
double RaioDoTitulo(std::string_view titulo);

// A line of the multi-exam wizard's list: "Olho Direito - date time", for some modules after a
// kind marker ("O" orthokeratology, "T" other), which is taken off.
struct Candidato {
  std::string texto;  // as written back to the program
  bool orto = false;
  bool direito = false;
};
std::vector<Candidato> LerCandidatos(const std::vector<std::string>& linhas, bool comMarcador);

// "0,2,3": the indexes below `quantidade`, in the order written; anything else is left out.
std::vector<int> LerEscolha(std::string_view texto, int quantidade);

// Exam file names (stem + "a.txt", "d.txt", "m.txt") grouped by exam: consecutive names that share
// the stem are one item; empty names are skipped.
std::vector<std::vector<std::string>> ItensExames(const std::vector<std::string>& nomes);
