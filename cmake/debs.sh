#!/usr/bin/env bash
# Builds the Debian packages of one build tree into BUILD/packages/: for each component its
# package, and for each package with binaries a -dbgsym package with their debug symbols.
#   usage: cmake/debs.sh BUILD/deb-package.env     (run by the `debs` target)
set -euo pipefail
# shellcheck source=/dev/null
. "$1"
deb=$source_dir/cmake/deb
out=$build_dir/packages
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out"
runtime=libzudoru-mgr-show$major

package_of() {
  case $1 in
    runtime) echo "$runtime" ;;
    dev) echo libzudoru-mgr-show-dev ;;
    tools) echo zudoru-mgr-show-tools ;;
  esac
}

is_elf() { [ "$(head -c 4 "$1" | od -An -c | tr -d ' ')" = '177ELF' ]; }

# The Debian changelog of this native package, from CHANGELOG.md's releases and their entries.
# Releases of one day are an hour apart from noon on (UTC), each later than the one before.
debian_changelog() {
  perl -CSD -MText::Wrap -e '
    local $/; $_ = <STDIN>; $Text::Wrap::columns = 78;
    my ($source, $maintainer) = @ARGV;
    my %same_day;
    $same_day{$1}++ while /^## \[\d[\w.]*\] - (\d{4}-\d\d-\d\d)$/mg;
    while (/^## \[(\d[\w.]*)\] - (\d{4}-\d\d-\d\d)\n(.*?)(?=^## |\z)/msg) {
      my ($version, $date, $body) = ($1, $2, $3);
      my $hour = 11 + $same_day{$date}--;
      print "$source ($version) unstable; urgency=medium\n\n";
      my $category = "";
      for my $block (split /\n(?=### |- )/, $body) {
        if ($block =~ /^### (\w+)/) { $category = $1; next; }
        next unless $block =~ s/^- //;
        $block =~ s/\s+/ /g; $block =~ s/`//g; $block =~ s/\s+$//;
        print wrap("  * ", "    ", "$category: $block"), "\n";
      }
      chomp(my $when = `date -u -R -d "${date}T$hour:00:00Z"`);
      print "\n -- $maintainer  $when\n\n";
    }' zudoru-mgr-show "$maintainer" < "$source_dir/CHANGELOG.md"
}

# The symbols file: every name of the export list, with the release of its version node.
symbols_file() {
  echo "libzudoru_mgr_show.so.$major $runtime #MINVER#"
  echo "* Build-Depends-Package: libzudoru-mgr-show-dev"
  perl -e '
    local $/; $_ = <STDIN>; s{/\*.*?\*/}{}gs;
    my @lines;
    while (/([A-Z][A-Z0-9_]*_(\d+)\.(\d+))\s*\{(.*?)\}/gs) {
      my ($node, $release, $body) = ($1, "$2.$3.0", $4);
      $body =~ s/local:.*//s; $body =~ s/global://;
      push @lines, " $node\@$node $release";
      push @lines, " $_\@$node $release" for grep { length } map { s/\s+//gr } split /;/, $body;
    }
    print "$_\n" for sort @lines;' < "$source_dir/src/exports.map"
}

# Depends of the ELF files given, as dpkg-shlibdeps finds them; for a cross build, the C
# library at the newest symbol version the files use.
shared_depends() {
  local stage=$1
  shift
  if [ "$crosscompiling" = TRUE ]; then
    local newest
    newest=$("$readelf" --dyn-syms -W "$@" | grep -o 'GLIBC_[0-9.]*' | sed 's/GLIBC_//' |
      sort -uV | tail -n 1)
    echo "libc6 (>= $newest)"
    return
  fi
  # The staging tree is a package build tree (DEBIAN/), where $ORIGIN and the private folder
  # resolve; the library's undefined platform names are no fault.
  mkdir -p "$work/shlibdeps/debian" "$stage/DEBIAN"
  touch "$work/shlibdeps/debian/control"
  (cd "$work/shlibdeps" && dpkg-shlibdeps -O --warnings=0 -S"$stage" \
    -l"$stage$prefix/$private_libdir" "${@/#/-e}") | sed -n 's/^shlibs:Depends=//p'
}

# Moves each ELF file's debug information into the -dbgsym staging tree and strips the file
# as dh_strip does; prints the build ids.
split_debug() {
  local stage=$1 dbgsym=$2 file id
  while IFS= read -r -d '' file; do
    is_elf "$file" || continue
    id=$("$readelf" -n "$file" | sed -n 's/.*Build ID: //p')
    mkdir -p "$dbgsym/usr/lib/debug/.build-id/${id:0:2}"
    "$objcopy" --only-keep-debug --compress-debug-sections \
      "$file" "$dbgsym/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug"
    case $file in
      *.so*) "$strip" --remove-section=.comment --remove-section=.note --strip-unneeded "$file" ;;
      *) "$strip" --remove-section=.comment --remove-section=.note "$file" ;;
    esac
    echo "$id"
  done < <(find "$stage" -type f -print0 | sort -z)
}

# Documentation as Debian keeps it: in /usr/share/doc/PACKAGE, with copyright and changelog,
# big files (but examples) and manual pages compressed.
add_docs() {
  local stage=$1 package=$2 doc=$1$prefix/share/doc/$2
  if [ -d "$stage$prefix/share/doc/$docdir_name" ]; then
    mv "$stage$prefix/share/doc/$docdir_name" "$doc"
  fi
  mkdir -p "$doc"
  rm -f "$doc/LICENSE"  # the copyright file holds it
  install -m 0644 "$deb/copyright" "$doc/copyright"
  debian_changelog > "$doc/changelog"
  find "$doc" -type f ! -name copyright ! -path "$doc/examples/*" \( -name changelog -o -size +4k \) \
    -exec gzip -9n {} +  # examples stay as they are, for vdcsim and cc to read
  if [ -d "$stage$prefix/share/man" ]; then
    find "$stage$prefix/share/man" -type f -exec gzip -9n {} +
  fi
  if [ -f "$deb/$package.lintian-overrides" ]; then
    install -D -m 0644 "$deb/$package.lintian-overrides" \
      "$stage$prefix/share/lintian/overrides/$package"
  fi
}

fix_modes() {
  find "$1" -type d -exec chmod 0755 {} +
  find "$1" -type f -exec chmod 0644 {} +
  if [ -d "$1$prefix/bin" ]; then find "$1$prefix/bin" -type f -exec chmod 0755 {} +; fi
}

# control FILE FIELDS...: the control file from the given fields and the package's own
# (cmake/deb/COMPONENT.control), Installed-Size counted from the staged files.
write_control() {
  local stage=$1 fields=$2 size
  size=$(du -sk --apparent-size --exclude=DEBIAN "$stage" | cut -f1)
  mkdir -p "$stage/DEBIAN"
  {
    printf '%s\n' "$fields"
    echo "Installed-Size: $size"
  } | grep -v ': $' > "$stage/DEBIAN/control"
  (cd "$stage" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | sort -z |
    xargs -0 -r md5sum) > "$stage/DEBIAN/md5sums"
  [ -s "$stage/DEBIAN/md5sums" ] || rm "$stage/DEBIAN/md5sums"
  chmod 0644 "$stage"/DEBIAN/*
}

build_deb() {
  dpkg-deb --root-owner-group -Zxz --build "$1" "$out/$2_${version}_$arch.deb" > /dev/null
}

common_fields() {
  printf 'Package: %s\nSource: zudoru-mgr-show\nVersion: %s\nArchitecture: %s\n' "$1" \
    "$version" "$arch"
  printf 'Maintainer: %s\n' "$maintainer"
}

make_dbgsym() {
  local package=$1 dbgsym=$2 ids=$3
  mkdir -p "$dbgsym$prefix/share/doc"
  ln -s "$package" "$dbgsym$prefix/share/doc/$package-dbgsym"
  fix_modes "$dbgsym"
  write_control "$dbgsym" "$(common_fields "$package-dbgsym")
Auto-Built-Package: debug-symbols
Depends: $package (= $version)
Section: debug
Priority: optional
Multi-Arch: $4
Description: debug symbols for $package
Build-Ids: $(echo "$ids" | sort | tr '\n' ' ' | sed 's/ $//')"
  build_deb "$dbgsym" "$package-dbgsym"
}

make_package() {
  local component=$1 package stage dbgsym ids elfs depends multiarch=same
  package=$(package_of "$component")
  stage=$work/$package
  dbgsym=$work/$package-dbgsym
  DESTDIR=$stage cmake --install "$build_dir" --component "$component" > /dev/null
  add_docs "$stage" "$package"
  ids=$(split_debug "$stage" "$dbgsym")
  fix_modes "$stage"
  mapfile -t elfs < <(find "$stage" -type f -exec sh -c \
    '[ "$(head -c 4 "$1" | od -An -c | tr -d " ")" = 177ELF ]' _ {} \; -print | sort)
  depends=""
  [ ${#elfs[@]} -eq 0 ] || depends=$(shared_depends "$stage" "${elfs[@]}")
  case $component in
    runtime)
      symbols_file > "$work/symbols"
      install -D -m 0644 "$work/symbols" "$stage/DEBIAN/symbols"
      echo "libzudoru_mgr_show $major $runtime (>= $(sed -n '3,$s/.* //p' "$work/symbols" |
        sort -V | tail -n 1))" > "$stage/DEBIAN/shlibs"
      echo "activate-noawait ldconfig" > "$stage/DEBIAN/triggers" ;;
    *) depends="$runtime (= $version)${depends:+, $depends}" ;;
  esac
  [ "$component" != tools ] || multiarch=""  # a program, with a private library
  write_control "$stage" "$(common_fields "$package")
Depends: $depends
$(sed -e "s/@RUNTIME@/$runtime/g" "$deb/$component.control")
Multi-Arch: $multiarch
Homepage: $homepage"
  build_deb "$stage" "$package"
  [ -z "$ids" ] || make_dbgsym "$package" "$dbgsym" "$ids" "$multiarch"
}

for component in $components; do
  make_package "$component"
done
ls "$out"
