#pragma once
#include <string>
#include <string_view>
#include <vector>

// Ordering of the knowledge base's Windows-1252 texts, shared by the rebuilds, the reordering and
// the queries.
namespace florimant {

// Catalogue order: ascending, without regard to case. Each byte is folded to upper case (a-z and
// the accented letters of Windows-1252: à..þ to À..Þ, š œ ž ÿ to Š Œ Ž Ÿ) and the folded texts are
// compared byte by byte; texts that fold equal are ordered by their raw bytes, so the order is
// total and lines equal case included end up next to each other. Accented letters thus sort
// after Z: the pick lists are searched by a byte-wise comparison against an upper-case key, and
// this order is the one that search agrees with.
bool CatalogueLess(std::string_view a, std::string_view b);
void SortIntoCatalogueOrder(std::vector<std::string>& lines);
// The folded form used by CatalogueLess.
std::string CatalogueFold(std::string_view text);

}  // namespace florimant
