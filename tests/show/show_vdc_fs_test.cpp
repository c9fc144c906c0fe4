// The allowed feature sets: a heading per VDC, a line per feature set, one closing newline.
#include <gtest/gtest.h>

#include "show_helpers.h"

namespace {

using show_test::text_case;
using standin::attribute;
using standin::bytes;
using standin::text;
using standin::word;

class show_vdc_fs_test : public testing::TestWithParam<text_case> {};

TEST_P(show_vdc_fs_test, prints_headings_and_feature_sets) {
  show_test::expect_prints(show_vdc_fs, GetParam(), '\n');
}

INSTANTIATE_TEST_SUITE_P(
    responses, show_vdc_fs_test,
    testing::Values(
        text_case{"empty", {}, "\n"},
        text_case{"two_vdcs",
                  {word(VDC_ATTR_ID, 1), text(VDC_ATTR_NAME, "core"),
                   text(VDC_ATTR_FEATURE_SET, "fabricpath"), text(VDC_ATTR_FEATURE_SET, "fex"),
                   text(VDC_ATTR_NAME, "edge"), text(VDC_ATTR_FEATURE_SET, "mpls")},
                  "\nvdc core allowed feature-sets:\n\tfabricpath\n\tfex\n"
                  "\nvdc edge allowed feature-sets:\n\tmpls\n\n"},
        text_case{"names_in_a_row",
                  {text(VDC_ATTR_NAME, "a"), text(VDC_ATTR_NAME, "b")},
                  "\nvdc a allowed feature-sets:\n\nvdc b allowed feature-sets:\n\n"},
        text_case{"feature_set_before_any_name", {text(VDC_ATTR_FEATURE_SET, "fex")}, "\tfex\n\n"},
        text_case{"unknown_and_malformed_passed_over",
                  {text(0x141a0011, "x"), text(0x301a0021, "y"),
                   attribute{VDC_ATTR_FEATURE_SET, {}, true}, bytes(VDC_ATTR_FEATURE_SET, {'f'})},
                  "\tf\n\n"}),
    show_test::row_name<text_case>);

}  // namespace
