#include "toolkit/rtl/Classes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> Lines(const TStrings& s) {
  std::vector<std::string> r;
  for (int i = 0; i < s.Count(); ++i) r.push_back(s[i]);
  return r;
}

TEST(StringList, AddInsertDeleteAndIndex) {
  TStringList l;
  EXPECT_EQ(l.Add("b"), 0);
  EXPECT_EQ(l.Add("c"), 1);
  l.Insert(0, "a");
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(l.IndexOf("B"), 1);  // case-insensitive
  EXPECT_EQ(l.IndexOf("x"), -1);
  l.Delete(1);
  EXPECT_EQ(l.Strings(1), "c");
  l.SetStrings(1, "d");
  EXPECT_EQ(l[1], "d");
  EXPECT_THROW(l.Get(2), EStringListError);
  EXPECT_THROW(l.Delete(-1), EStringListError);
  EXPECT_THROW(l.Insert(5, "x"), EStringListError);
  l.Move(0, 1);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"d", "a"}));
  l.Exchange(0, 1);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"a", "d"}));
}

TEST(StringList, TextReadsEveryLineBreak) {
  TStringList l;
  l.SetText("um\r\ndois\ntrês\rquatro\r\n\r\nseis");
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"um", "dois", "três", "quatro", "", "seis"}));
  EXPECT_EQ(l.Text(), "um\r\ndois\r\ntrês\r\nquatro\r\n\r\nseis\r\n");
  l.SetText("a\n");
  EXPECT_EQ(l.Count(), 1);
  l.SetText("");
  EXPECT_EQ(l.Count(), 0);
  l.SetText("\r\n");
  EXPECT_EQ(Lines(l), (std::vector<std::string>{""}));
}

TEST(StringList, SortsLikeTheUserReads) {
  TStringList l;
  l.SetText("Zélia\nbruno\nÁlvaro\nalvaro\nÉder\nCarlos");
  l.Sort();
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"alvaro", "Álvaro", "bruno", "Carlos", "Éder", "Zélia"}));
  l.SetCaseSensitive(true);
  l.SetText("B\na\nA\nb");
  l.Sort();
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"a", "A", "b", "B"}));
}

TEST(StringList, SortedListsFindAndRefuseDuplicates) {
  TStringList l;
  l.SetSorted(true);
  for (const char* s : {"pera", "Maçã", "uva", "maçã", "banana"}) l.Add(s);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"banana", "Maçã", "pera", "uva"}));
  int index;
  EXPECT_TRUE(l.Find("PERA", index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(l.Find("laranja", index));
  EXPECT_EQ(index, 1);
  EXPECT_THROW(l.Insert(0, "x"), EStringListError);
  l.Duplicates = dupError;
  EXPECT_THROW(l.Add("uva"), EStringListError);
  l.Duplicates = dupAccept;
  l.Add("uva");
  EXPECT_EQ(l.Count(), 5);
  // An ignored duplicate leaves the object of the line that stays.
  TStringList tagged;
  tagged.SetSorted(true);
  TObject first, second;
  tagged.AddObject("a", &first);
  EXPECT_EQ(tagged.AddObject("A", &second), 0);
  EXPECT_EQ(tagged.Objects(0), &first);
}

TEST(StringList, NamesAndValues) {
  TStringList l;
  l.SetText("Nome=Ana\nIdade=30\nsem valor\nVazio=");
  EXPECT_EQ(l.Values("nome"), "Ana");
  EXPECT_EQ(l.Names(1), "Idade");
  EXPECT_EQ(l.ValueFromIndex(1), "30");
  EXPECT_EQ(l.Names(2), "");
  EXPECT_EQ(l.IndexOfName("VAZIO"), 3);
  l.SetValues("Idade", "31");
  l.SetValues("Cidade", "Recife");
  l.SetValues("Nome", "");
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"Idade=31", "sem valor", "Vazio=", "Cidade=Recife"}));
}

TEST(StringList, CommaText) {
  TStringList l;
  l.SetCommaText("a, \"b c\",\"d\"\"e\",,f");
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"a", "b c", "d\"e", "", "f"}));
  EXPECT_EQ(l.CommaText(), "a,\"b c\",\"d\"\"e\",\"\",f");
  l.SetCommaText("x y");  // blanks separate unquoted items
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"x", "y"}));
  l.SetCommaText("x,");
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"x", ""}));
}

class Tag : public TObject {
 public:
  explicit Tag(int* deaths) : deaths_(deaths) {}
  ~Tag() override { ++*deaths_; }

 private:
  int* deaths_;
};

TEST(StringList, ObjectsRideAlongAndOwnedOnesAreFreed) {
  int deaths = 0;
  {
    TStringList l;
    l.OwnsObjects = true;
    l.AddObject("b", new Tag(&deaths));
    Tag* a = new Tag(&deaths);
    l.InsertObject(0, "a", a);
    EXPECT_EQ(l.Objects(0), a);
    EXPECT_EQ(l.IndexOfObject(a), 0);
    l.Sort();
    l.Delete(0);
    EXPECT_EQ(deaths, 1);
  }
  EXPECT_EQ(deaths, 2);
  TStringList source, copy;
  Tag keep(&deaths);
  source.AddObject("x", &keep);
  copy.Assign(&source);
  EXPECT_EQ(copy.Objects(0), &keep);
}

TEST(StringList, ChangeEventsWaitForEndUpdate) {
  TStringList l;
  int changes = 0;
  l.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &l);
    ++changes;
  };
  l.Add("a");
  EXPECT_EQ(changes, 1);
  l.BeginUpdate();
  l.Add("b");
  l.Add("c");
  EXPECT_EQ(changes, 1);
  l.EndUpdate();
  EXPECT_EQ(changes, 2);
  l.SetText("x\ny\nz");
  EXPECT_EQ(changes, 3);
}

TEST(StringList, StreamsKeepTheBytes) {
  TStringList l;
  l.SetText("ação\nfim");
  TStringStream s;
  l.SaveToStream(&s);
  EXPECT_EQ(s.DataString(), "ação\r\nfim\r\n");
  TStringStream in("x\ny");
  in.SetPosition(0);
  l.LoadFromStream(&in);
  EXPECT_EQ(Lines(l), (std::vector<std::string>{"x", "y"}));
}

}  // namespace
