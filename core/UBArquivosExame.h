#pragma once
// The exam's map data files ("d.txt", "m.txt", "a.txt" in the patient's folder), the report text
// file ("l.txt") and the text helpers that go with them. Numbers are written with "." and read with
// "." or ",", whatever the decimal separator of the moment.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/UBMatrizMapa.h"
#include "toolkit/rtl/Classes.h"

// Folder + "\" + patient code + "\" + exam code: the prefix of an exam's three file names.
std::string PrefixoArquivosExame(const std::string& DirExames, int CodPaciente, int CodExame);
// Folder + "\" + patient code + "\" + report code + "l.txt": a report's text file.
std::string ArquivoLaudo(const std::string& DirLaudos, int CodPaciente, int CodLaudo);

// File contents: 360 lines of NumAneis + 1 values "00.00" each followed by a blank (d.txt, m.txt);
// centre, "@", pupil and 360 ring counts (a.txt). Lines end with CR LF.
std::string TextoArquivoMatriz(const TMatrizAngAnel& Matriz, int NumAneis);
std::string TextoArquivoA(const TMatrizAng& AneisPorMeridiano, double CentroX, double CentroY,
                          const TPupila& Pupila);
// Lines Antes .. Antes + 359 of a module's text, each closed by CR LF; EReadError when missing.
std::string TextoBloco(const TStrings& Linhas, int Antes);

// Writers (files through the Win32 runtime); the patient's folder must exist. A failed write
// raises the stream error.
void GravarArquivoD(const std::string& DirExames, int CodPaciente, int CodExame, const TMatrizAngAnel& Matriz,
                    int NumAneis);
void GravarArquivoM(const std::string& DirExames, int CodPaciente, int CodExame, const TMatrizAngAnel& Matriz,
                    int NumAneis);
void GravarArquivoA(const std::string& DirExames, int CodPaciente, int CodExame,
                    const TMatrizAng& AneisPorMeridiano, double CentroX, double CentroY, const TPupila& Pupila);

// An orthokeratology exam: its d.txt and m.txt are block Bloco (lines 360 Bloco .. 360 Bloco + 359)
// of the processing module's text, unchanged; its a.txt has the centre (320, 240), a zero pupil and
// NumAneis on every meridian. Too few lines raise EReadError before anything is written.
void GravarArquivosOrto(const std::string& DirExames, int CodPaciente, int CodExame, const TStrings& LinhasD,
                        const TStrings& LinhasM, int Bloco, int NumAneis);

// The same files under any prefix (an example exam's, for one): d.txt, m.txt, then a.txt.
void GravarArquivosMapa(const std::string& Prefixo, const TMatrizAngAnel& MatrizD, const TMatrizAngAnel& MatrizM,
                        const TMatrizAng& AneisPorMeridiano, double CentroX, double CentroY, const TPupila& Pupila,
                        int NumAneis);
void GravarArquivosOrto(const std::string& Prefixo, const TStrings& LinhasD, const TStrings& LinhasM, int Bloco,
                        int NumAneis);

// Writes the five report texts (placeholders stripped) into DirLaudos\CodPaciente\CodLaudo"l.txt",
// each followed by a line "@", tells the user whether the file was written and answers it.
bool GravarArquivoLaudo(const std::string& DirLaudos, const std::string& CodPaciente, const std::string& CodLaudo,
                        const std::array<std::string, 5>& Textos);

// The same under the program's folders (PathsMZ.Exames, PathsMZ.Laudos) with InfosMZ.NumAneis.
void GravarArquivoD(int CodPaciente, int CodExame, const TMatrizAngAnel& Matriz);
void GravarArquivoM(int CodPaciente, int CodExame, const TMatrizAngAnel& Matriz);
void GravarArquivoA(int CodPaciente, int CodExame, const TMatrizAng& AneisPorMeridiano, double CentroX,
                    double CentroY, const TPupila& Pupila);
void GravarArquivosOrto(int CodPaciente, int CodExame, const TStrings& LinhasD, const TStrings& LinhasM, int Bloco);
bool GravarArquivoLaudo(const std::string& CodPaciente, const std::string& CodLaudo,
                        const std::array<std::string, 5>& Textos);

// The values of one line: blanks (and tabs) separate them; at most NumValoresAnel are kept.
std::vector<std::string_view> ValoresLinha(std::string_view Linha);

// Parses lines Antes .. Antes + 359 (0-based) into rows 0 .. 359. Cells that a line does not fill
// are 0. Too few lines, or a value that is no finite number, raises EConvertError.
void LerMatrizTexto(const TStrings& Lines, int Antes, TMatrizAngAnel& Matriz);

// Parses the lines of an a.txt: centre, optional "@" and pupil, 360 ring counts (brought into
// 0 .. 32). Missing lines or text that is no number raise EReadError or EConvertError, and the
// outputs are then left as they were.
void LerTextoA(const TStrings& Linhas, TMatrizAng& AneisPorMeridiano, double& CentroX, double& CentroY,
               TPupila& Pupila);

// A number written with "." or "," read under the current decimal separator.
std::string AjustarSeparadorDecimal(std::string_view Texto);
// AjustarSeparadorDecimal then the conversion; anything that is not a finite number raises EConvertError.
double StrToFloatPontoVirgula(std::string_view Texto);

// Upper case that knows the Portuguese accented letters ("ação" -> "AÇÃO").
std::string MaiusculasAcentuadas(std::string_view Texto);

// The text with its "#...#" placeholders replaced by what follows their first "-".
std::string TextoSemMarcadores(std::string_view Texto);
