#pragma once
// The two pictures stored with each exam (table ARQUIVOS), as JPEG data.
#include "toolkit/rtl/Classes.h"

class TDArquivos {
 public:
  // Stores the streams' bytes (from their start) as the exam's central and lateral pictures; an empty
  // stream stores an empty picture. Storing again replaces them.
  static void InsertArquivos(int Codigo_Exames, TStream* Imagem_Central, TStream* Imagem_Lateral);
  // Fills the streams with the exam's pictures (left empty when there are none), both at position 0.
  static void GetImagensByCodExame(int CodExame, TMemoryStream* Central, TMemoryStream* Lateral);
};
