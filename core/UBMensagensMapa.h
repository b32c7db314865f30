#pragma once
// The message boxes of the map-data code all go through MostrarMensagemMapa, so that the program
// hands them to its own message routine and tests record them, in one place.
#include <functional>
#include <string>

enum class TTipoMensagemMapa { Erro, Informacao };

using TMostrarMensagemMapa =
    std::function<void(const std::string& Texto, const std::string& Titulo, TTipoMensagemMapa Tipo)>;

void MostrarMensagemMapa(const std::string& Texto, const std::string& Titulo, TTipoMensagemMapa Tipo);

// Installs the routine that shows the messages; returns the previous one.
TMostrarMensagemMapa DefinirMostrarMensagemMapa(TMostrarMensagemMapa Rotina);
