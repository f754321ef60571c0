#include "app/CarTreeModel.h"

#include <algorithm>

#include "base/Signal.h"
#include "document/Document.h"

namespace tavrel {
namespace {

// The item pictures by image index.
constexpr const char* kImageFiles[CarTreeModel::kImageCount] = {
    "car",    "points",         "connections",     "commands",      "unused",  "cameras",
    "helmet", "mapped-command", "command-variant", "texture-files", "cockpit", "wheel",
};

}  // namespace

// A registered document and the "Car:" rows the model has announced for it.
struct CarTreeModel::Listing {
  Document* document;
  int rows = 0;
  std::vector<Signal<>::Connection> wholeCar;
  std::vector<Signal<std::size_t>::Connection> oneShape;
  Signal<Observer&>::Connection edited;
  Signal<>::Connection renamed;
  std::string name;  // the document's name as the "Car:" items show it

  OutlineNode& CarItem(int row) const { return *document->Outline()->MadeChildren()[std::size_t(row)]; }
};

CarTreeModel::CarTreeModel(QObject* parent) : QAbstractItemModel(parent), m_AllCars("All Cars", 0) {
  for (int i = 0; i < kImageCount; ++i) m_Images[std::size_t(i)] = QIcon(QString(":/tree/%1.svg").arg(kImageFiles[i]));
}

CarTreeModel::~CarTreeModel() = default;

void CarTreeModel::AddDocument(Document& document) {
  if (ListingOf(document)) return;
  auto& listing = *m_Listings.emplace_back(std::make_unique<Listing>());
  listing.document = &document;
  listing.wholeCar.push_back(document.CarListed().Connect([this, &listing] { Show(listing); }));
  listing.wholeCar.push_back(document.CarUnlisted().Connect([this, &listing] { Hide(listing); }));
  // A shape listed anew in place: its row goes and comes back.
  listing.oneShape.push_back(document.ShapeUnlisting().Connect([this, &listing](std::size_t row) {
    const int at = FirstRow(listing) + int(row);
    beginRemoveRows(AllCarsIndex(), at, at);
  }));
  listing.oneShape.push_back(document.ShapeUnlisted().Connect([this, &listing](std::size_t) {
    --listing.rows;
    endRemoveRows();
  }));
  listing.oneShape.push_back(document.ShapeListing().Connect([this, &listing](std::size_t row) {
    const int at = FirstRow(listing) + int(row);
    beginInsertRows(AllCarsIndex(), at, at);
  }));
  listing.oneShape.push_back(document.ShapeListed().Connect([this, &listing](std::size_t) {
    ++listing.rows;
    endInsertRows();
  }));
  // An unlisted car's elements may still name items that are gone.
  listing.edited = document.ElementEdited().Connect([this, &listing](Observer& element) {
    if (listing.rows > 0) Changed(element.m_TreeItem);
  });
  // Its "Car:" items carry its name, which a save under another name changes.
  listing.name = document.Name();
  listing.renamed = document.StateChanged().Connect([this, &listing] {
    if (listing.document->Name() == listing.name) return;
    listing.name = listing.document->Name();
    if (listing.rows == 0) return;
    const int first = FirstRow(listing);
    emit dataChanged(index(first, 0, AllCarsIndex()), index(first + listing.rows - 1, 0, AllCarsIndex()));
  });
  Show(listing);
}

void CarTreeModel::RemoveDocument(const Document& document) {
  Listing* listing = ListingOf(document);
  if (!listing) return;
  Hide(*listing);
  std::erase_if(m_Listings, [listing](const std::unique_ptr<Listing>& entry) { return entry.get() == listing; });
}

Document* CarTreeModel::DocumentOf(const QModelIndex& index) const {
  const OutlineNode* node = NodeOf(index);
  // Up to the document's outline, the one node without a parent.
  while (node != nullptr && node->parent != nullptr) node = node->parent;
  for (const auto& listing : m_Listings)
    if (node != nullptr && listing->document->Outline() == node) return listing->document;
  return nullptr;
}

CarTreeModel::Listing* CarTreeModel::ListingOf(const Document& document) const {
  const auto found =
      std::ranges::find_if(m_Listings, [&](const auto& listing) { return listing->document == &document; });
  return found == m_Listings.end() ? nullptr : found->get();
}

int CarTreeModel::FirstRow(const Listing& listing) const {
  int row = 0;
  for (const auto& earlier : m_Listings) {
    if (earlier.get() == &listing) break;
    row += earlier->rows;
  }
  return row;
}

int CarTreeModel::TopRowOf(const OutlineNode& carItem) const {
  for (const auto& listing : m_Listings)
    if (listing->rows > 0 && listing->document->Outline() == carItem.parent)
      return FirstRow(*listing) + int(carItem.row);
  return -1;
}

void CarTreeModel::Show(Listing& listing) {
  const OutlineNode* outline = listing.document->Outline();
  const int count = outline ? int(outline->MadeChildren().size()) : 0;
  if (listing.rows > 0 || count == 0) return;
  const int first = FirstRow(listing);
  beginInsertRows(AllCarsIndex(), first, first + count - 1);
  listing.rows = count;
  endInsertRows();
}

void CarTreeModel::Hide(Listing& listing) {
  if (listing.rows == 0) return;
  const int first = FirstRow(listing);
  beginRemoveRows(AllCarsIndex(), first, first + listing.rows - 1);
  listing.rows = 0;
  endRemoveRows();
}

void CarTreeModel::Changed(const OutlineNode* node) {
  if (node == nullptr) return;
  const QModelIndex index = IndexOf(*node);
  if (index.isValid()) emit dataChanged(index, index);
}

QModelIndex CarTreeModel::AllCarsIndex() const { return createIndex(0, 0, const_cast<OutlineNode*>(&m_AllCars)); }

OutlineNode* CarTreeModel::NodeOf(const QModelIndex& index) const {
  auto* node = static_cast<OutlineNode*>(index.internalPointer());
  return index.isValid() && node != &m_AllCars ? node : nullptr;
}

QModelIndex CarTreeModel::IndexOf(const OutlineNode& node) const {
  if (&node == &m_AllCars) return AllCarsIndex();
  if (node.parent == nullptr) return {};
  // A "Car:" item: its parent is a document's outline, which has no parent.
  const int row = node.parent->parent == nullptr ? TopRowOf(node) : int(node.row);
  return row < 0 ? QModelIndex() : createIndex(row, 0, const_cast<OutlineNode*>(&node));
}

QModelIndex CarTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column != 0 || row >= rowCount(parent)) return {};
  if (!parent.isValid()) return AllCarsIndex();
  if (const OutlineNode* node = NodeOf(parent))
    return createIndex(row, 0, node->MadeChildren()[std::size_t(row)].get());
  int first = 0;
  for (const auto& listing : m_Listings) {
    if (row < first + listing->rows) return createIndex(row, 0, &listing->CarItem(row - first));
    first += listing->rows;
  }
  return {};
}

QModelIndex CarTreeModel::parent(const QModelIndex& index) const {
  const OutlineNode* node = NodeOf(index);
  if (node == nullptr) return {};
  return node->parent->parent == nullptr ? AllCarsIndex() : IndexOf(*node->parent);
}

int CarTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return 1;
  if (const OutlineNode* node = NodeOf(parent)) return node == m_Fetching ? 0 : int(node->MadeChildren().size());
  int rows = 0;
  for (const auto& listing : m_Listings) rows += listing->rows;
  return rows;
}

int CarTreeModel::columnCount(const QModelIndex&) const { return 1; }

bool CarTreeModel::hasChildren(const QModelIndex& parent) const {
  if (const OutlineNode* node = NodeOf(parent)) return node->HasChildren();
  return rowCount(parent) > 0;
}

QVariant CarTreeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto* node = static_cast<const OutlineNode*>(index.internalPointer());
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(Label(*node));
    // The JAM outline's lines use images past the list's end: they have no picture.
    case Qt::DecorationRole:
      return node->image >= 0 && node->image < kImageCount ? QVariant(m_Images[std::size_t(node->image)]) : QVariant();
    default:
      return {};
  }
}

std::string CarTreeModel::Label(const OutlineNode& node) const {
  if (node.parent == nullptr || node.parent->parent != nullptr) return node.text;
  for (const auto& listing : m_Listings)
    if (listing->document->Outline() == node.parent && !listing->document->Name().empty())
      return node.text + " (" + listing->document->Name() + ")";
  return node.text;
}

bool CarTreeModel::canFetchMore(const QModelIndex& parent) const {
  const OutlineNode* node = NodeOf(parent);
  return node != nullptr && node->HasChildren() && node->MadeChildren().empty();
}

void CarTreeModel::fetchMore(const QModelIndex& parent) {
  OutlineNode* node = NodeOf(parent);
  if (node == nullptr || !canFetchMore(parent)) return;
  m_Fetching = node;
  const int count = int(node->ChildCount());
  if (count == 0) {
    m_Fetching = nullptr;
    return;
  }
  beginInsertRows(parent, 0, count - 1);
  m_Fetching = nullptr;
  endInsertRows();
}

}  // namespace tavrel
