// Stored skins: defaults, assignment, lookup by name, change notices and the packed skin in Data.
#include <windows.h>

#include "skin/engine/PngTestFiles.h"
#include "skin/engine/sStoredSkins.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string Text(TMemoryStream& s) { return std::string(static_cast<const char*>(s.Memory()), size_t(s.Size())); }

std::unique_ptr<TMemoryStream> StreamOf(const Bytes& bytes) {
  auto s = std::make_unique<TMemoryStream>();
  s->WriteBuffer(bytes.data(), int64_t(bytes.size()));
  return s;
}

TEST(StoredSkin, Defaults) {
  TsStoredSkins skins(nullptr);
  TsStoredSkin* s = skins.Add();
  EXPECT_EQ(s->Name(), "");
  ASSERT_TRUE(s->MasterBitmap());
  EXPECT_TRUE(s->MasterBitmap()->Empty());
  const std::pair<const char*, long long> values[] = {
      {"Shadow1Color", s->Shadow1Color()},   {"Shadow1Offset", s->Shadow1Offset()},
      {"Shadow1Blur", s->Shadow1Blur()},     {"Shadow1Transparency", s->Shadow1Transparency()},
      {"BorderColor", s->BorderColor()},     {"Data size", s->Data()->Size()}};
  const long long expected[] = {0, 0, -1, 0, 0xFF00FF, 0};
  for (size_t i = 0; i < std::size(values); ++i) EXPECT_EQ(values[i].second, expected[i]) << values[i].first;
  EXPECT_EQ(s->Version(), 0.0);
  EXPECT_EQ(s->Author(), "");
  EXPECT_EQ(s->Description(), "");
}

TEST(StoredSkin, AssignCopiesEverything) {
  TsStoredSkins skins(nullptr);
  TsStoredSkin* a = skins.Add();
  a->SetName("WEB (internal)");
  a->MasterBitmap()->SetPixelFormat(pf24bit);
  a->MasterBitmap()->SetSize(3, 2);
  a->MasterBitmap()->Canvas()->SetPixels(2, 1, 0x123456);
  a->SetShadow1Color(0x0A0B0C);
  a->SetShadow1Offset(4);
  a->SetShadow1Blur(6);
  a->SetShadow1Transparency(70);
  a->SetBorderColor(0x00FF00);
  a->SetVersion(7.46);
  a->SetAuthor("Autor");
  a->SetDescription("Descri\xE7\xE3o");
  a->Data()->WriteBuffer("packed", 6);
  TsStoredSkin* b = skins.Add();
  b->Assign(a);
  EXPECT_EQ(b->Name(), "WEB (internal)");
  EXPECT_EQ(b->MasterBitmap()->Width(), 3);
  EXPECT_EQ(b->MasterBitmap()->Height(), 2);
  EXPECT_EQ(b->MasterBitmap()->Canvas()->Pixels(2, 1), 0x123456);
  EXPECT_NE(b->MasterBitmap(), a->MasterBitmap());
  EXPECT_EQ(b->Shadow1Color(), 0x0A0B0C);
  EXPECT_EQ(b->Shadow1Offset(), 4);
  EXPECT_EQ(b->Shadow1Blur(), 6);
  EXPECT_EQ(b->Shadow1Transparency(), 70);
  EXPECT_EQ(b->BorderColor(), 0x00FF00);
  EXPECT_EQ(b->Version(), 7.46);
  EXPECT_EQ(b->Author(), "Autor");
  EXPECT_EQ(b->Description(), "Descri\xE7\xE3o");
  EXPECT_EQ(Text(*b->Data()), "packed");
  a->Data()->WriteBuffer("!", 1);
  EXPECT_EQ(Text(*b->Data()), "packed");  // a copy of its own
  b->Assign(b);
  EXPECT_EQ(Text(*b->Data()), "packed");

  TCollection others(&NewCollectionItem<TCollectionItem>);
  EXPECT_THROW(b->Assign(others.Add()), Exception);
  EXPECT_THROW(b->Assign(nullptr), Exception);
}

TEST(StoredSkins, IndexOfComparesNamesExactly) {
  TsStoredSkins skins(nullptr);
  for (const char* name : {"Other", "WEB (internal)", "WEB (internal)"}) skins.Add()->SetName(name);
  const std::pair<const char*, int> cases[] = {
      {"WEB (internal)", 1}, {"web (internal)", -1}, {"WEB (internal) ", -1}, {"Other", 0}, {"", -1}};
  for (const auto& [name, index] : cases) EXPECT_EQ(skins.IndexOf(name), index) << name;
  EXPECT_EQ(TsStoredSkins(nullptr).IndexOf("WEB (internal)"), -1);
}

TEST(StoredSkins, KeepsItsOwnerAndAnnouncesChanges) {
  TComponent manager(nullptr);
  TsStoredSkins skins(&manager);
  EXPECT_EQ(skins.Owner(), &manager);
  std::vector<TObject*> senders;
  skins.OnChange = [&](TObject* Sender) { senders.push_back(Sender); };
  skins.Add()->SetName("A");
  skins.Add()->SetName("B");
  skins.Delete(0);
  TsStoredSkins source(nullptr);
  source.Add()->SetName("C");
  source.Add()->SetName("D");
  source.Items(1)->Data()->WriteBuffer("xyz", 3);
  skins.Assign(&source);
  ASSERT_EQ(skins.Count(), 2);
  EXPECT_EQ(skins.Items(0)->Name(), "C");
  EXPECT_EQ(skins.Items(1)->Name(), "D");
  EXPECT_EQ(Text(*skins.Items(1)->Data()), "xyz");
  skins.Clear();
  EXPECT_EQ(senders, std::vector<TObject*>(5, &skins));  // two adds, a delete, an assign, a clear
}

TEST(StoredSkin, DataRoundTrip) {
  const Bytes packed = PackSkin({{"Options.dat", "[GLOBAL]\r\nVERSION=7.46\r\n"}});
  TsStoredSkins skins(nullptr);
  TsStoredSkin* s = skins.Add();
  auto resource = StreamOf(packed);
  resource->SetPosition(5);  // the whole of the resource data is read, wherever it stands
  s->ReadData(resource.get());
  EXPECT_EQ(s->Data()->Size(), int64_t(packed.size()));
  TMemoryStream form;
  form.WriteBuffer("head", 4);  // the stream being written already holds other properties
  s->WriteData(&form);
  EXPECT_EQ(form.Size(), int64_t(4 + packed.size()));
  EXPECT_EQ(std::memcmp(static_cast<const char*>(form.Memory()) + 4, packed.data(), packed.size()), 0);

  TMemoryStream written;
  s->WriteData(&written);
  TsStoredSkin* copy = skins.Add();
  copy->ReadData(&written);
  EXPECT_EQ(Text(*copy->Data()), Text(*s->Data()));

  TMemoryStream empty;
  copy->ReadData(&empty);
  EXPECT_EQ(copy->Data()->Size(), 0);
}

TEST(StoredSkin, EmptyDataLoadsNothing) {
  TsStoredSkins skins(nullptr);
  EXPECT_FALSE(skins.Add()->UnpackData());
}

// A whole skin in Data comes out of the convertor entry by entry; the master bitmap reads back.
TEST(StoredSkin, PackedSkinInDataUnpacks) {
  TBitmap master;
  master.SetPixelFormat(pf24bit);
  master.SetSize(4, 3);
  master.Canvas()->SetPixels(1, 2, 0x00AA55);
  TMemoryStream bmp;
  master.SaveToStream(&bmp);
  const std::string options = "[GLOBAL]\r\nVERSION=7.46\r\nMASTERBITMAP=Master.bmp\r\n";
  const Bytes packed = PackSkin({{"Options.dat", options},
                                 {"Master.bmp", Text(bmp)},
                                 {"ExBord.png", "png data"}});
  TsStoredSkins skins(nullptr);
  TsStoredSkin* s = skins.Add();
  s->SetName("WEB (internal)");
  s->ReadData(StreamOf(packed).get());
  std::unique_ptr<TacSkinConvertor> c = s->UnpackData();
  ASSERT_TRUE(c);
  ASSERT_TRUE(c->Options);
  EXPECT_EQ(Text(*c->Options), options);
  ASSERT_EQ(c->ImageItems.size(), 2u);
  EXPECT_EQ(c->ImageItems[1].FileName, "ExBord.png");
  const int m = c->IndexOf("MASTER.BMP");
  ASSERT_EQ(m, 0);
  EXPECT_TRUE(c->ImageItems[m].IsBitmap);
  TBitmap read;
  read.LoadFromStream(c->ImageItems[m].Data.get());
  EXPECT_EQ(read.Width(), 4);
  EXPECT_EQ(read.Height(), 3);
  EXPECT_EQ(read.Canvas()->Pixels(1, 2), 0x00AA55);
  EXPECT_EQ(s->Data()->Size(), int64_t(packed.size()));  // Data stays as it was

  s->ReadData(StreamOf(Bytes{'n', 'o', 't', ' ', 'a', ' ', 's', 'k', 'i', 'n'}).get());
  EXPECT_THROW(s->UnpackData(), Exception);
}

}  // namespace
