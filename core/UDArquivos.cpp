#include "core/UDArquivos.h"

#include "core/UDOperation.h"

void TDArquivos::InsertArquivos(int Codigo_Exames, TStream* Imagem_Central, TStream* Imagem_Lateral) {
  TIBQuery& q = detail::Operation("Execute Procedure InsertArquivos  :Codigo_Exames,:Imagem_Central,:Imagem_Lateral");
  q.ParamByName("Codigo_Exames").SetAsInteger(Codigo_Exames);
  q.ParamByName("Imagem_Central").LoadFromStream(*Imagem_Central);
  q.ParamByName("Imagem_Lateral").LoadFromStream(*Imagem_Lateral);
  detail::ExecuteAndCommit(q);
}

void TDArquivos::GetImagensByCodExame(int CodExame, TMemoryStream* Central, TMemoryStream* Lateral) {
  TIBQuery& q = detail::Operation("SELECT Imagem_Central,Imagem_Lateral FROM Arquivos WHERE Codigo_Exames=:CodExame");
  q.ParamByName("CodExame").SetAsInteger(CodExame);
  q.Open();
  Central->Clear();
  Lateral->Clear();
  if (!q.IsEmpty()) {
    static_cast<TBlobField*>(q.FieldByName("Imagem_Central"))->SaveToStream(*Central);
    static_cast<TBlobField*>(q.FieldByName("Imagem_Lateral"))->SaveToStream(*Lateral);
  }
  q.Close();
  Central->SetPosition(0);
  Lateral->SetPosition(0);
}
