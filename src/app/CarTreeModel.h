#pragma once
// The car tree's item model. It only reflects the documents' outlines: "All
// Cars", under it the "Car:" items of every registered document in the order
// they were registered, each followed by its document's name in brackets, and
// beneath each the outline the core built. It listens
// to each document, so it drops a document's rows before the outline goes and
// never hands out an item that a decode replaced.
//
// Lazy: a node whose children come from a producer (a texture file's colour
// tables) reports children but gets none until the view fetches them, which it
// does when the item is expanded.

#include <QAbstractItemModel>
#include <QIcon>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "shape/Outline.h"

namespace tavrel {

class Object3D;
class Document;

class CarTreeModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  static constexpr int kImageCount = 12;

  explicit CarTreeModel(QObject* parent = nullptr);
  ~CarTreeModel() override;

  // The document's "Car:" items come after those of the documents already there.
  void AddDocument(Document& document);
  // Its rows go; nothing happens for a document never added.
  void RemoveDocument(const Document& document);
  // The document an index's item belongs to, or null ("All Cars").
  Document* DocumentOf(const QModelIndex& index) const;

  QModelIndex AllCarsIndex() const;
  // The outline node of an index; null for "All Cars" and the invalid index.
  OutlineNode* NodeOf(const QModelIndex& index) const;
  // The index of a node the model shows.
  QModelIndex IndexOf(const OutlineNode& node) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& index) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  struct Listing;

  Listing* ListingOf(const Document& document) const;
  // The first row of a listing's "Car:" items under "All Cars".
  int FirstRow(const Listing& listing) const;
  int TopRowOf(const OutlineNode& carItem) const;
  void Show(Listing& listing);
  void Hide(Listing& listing);
  void Changed(const OutlineNode* node);
  // The node's text; a "Car:" item's with its document's name, since two open
  // cars list the same five parts.
  std::string Label(const OutlineNode& node) const;

  // Stands for "All Cars" in the indexes; it never has children of its own.
  OutlineNode m_AllCars;
  std::vector<std::unique_ptr<Listing>> m_Listings;
  // While a producer's children are being announced their parent still shows none.
  const OutlineNode* m_Fetching = nullptr;
  // Icons load their pictures when first drawn, after the resources are in.
  std::array<QIcon, kImageCount> m_Images;
};

}  // namespace tavrel
