#pragma once
// Copies of the database and its folder that are checked: every file read back and compared, and a
// database copy attached before it is trusted. Errors come back as system error codes.
#include <windows.h>

#include <string>
#include <vector>

// The files under Pasta, as names relative to it ("a.txt", "sub\b.txt"), in the order found.
std::vector<std::string> ArquivosDaPasta(const std::string& Pasta);

// Copies one file over Destino and compares the copy with its source; 0 or the system's error code.
DWORD CopiarArquivoConferido(const std::string& Origem, const std::string& Destino);

// Copies the files of Origem and its sub-folders into Destino (made as needed), each one checked.
DWORD CopiarPastaConferida(const std::string& Origem, const std::string& Destino);

// Attaches the database file with the data module's user and detaches again; false with the server's
// message in Erro (never empty) when it does not attach.
bool BancoAnexa(const std::string& Arquivo, std::string& Erro);
