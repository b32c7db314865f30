#pragma once
// Copies of the database and its folder that are checked: every file read back and compared, and a
// database copy attached before it is trusted. Errors come back as system error codes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TIBQuery;

// The suffix of a file copied beside the one it is to replace, until it is checked.
extern const char kNovo[];

// The files under Pasta, as names relative to it ("a.txt", "sub\b.txt"), in the order found; the
// unfinished copies (kNovo) are not among them.
std::vector<std::string> ArquivosDaPasta(const std::string& Pasta);

// Copies one file over Destino, compares the copy with its source and puts it on the disk; 0 or the
// system's error code.
DWORD CopiarArquivoConferido(const std::string& Origem, const std::string& Destino);

// Copies the files of Origem and its sub-folders into Destino (made as needed), each one checked.
DWORD CopiarPastaConferida(const std::string& Origem, const std::string& Destino);

// Makes the folder and its missing parents; 0 or the system's error code.
DWORD CriarPasta(const std::string& Pasta);

// Writes what the system still holds of the file to the disk; 0 or the system's error code.
DWORD GravarNoDisco(const std::string& Arquivo);

// Moves Arquivo + kNovo over Arquivo in one step; 0 or the system's error code.
DWORD TrocarPeloNovo(const std::string& Arquivo);

// Attaches the database file with the data module's user, runs Alterar on a query of that database
// and commits it, and detaches again; false with the server's message in Erro (never empty) when it
// does not attach or Alterar fails.
bool BancoAnexa(const std::string& Arquivo, std::string& Erro, const std::function<void(TIBQuery&)>& Alterar = {});
