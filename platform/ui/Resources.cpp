#include "ui/Resources.h"

#include <algorithm>
#include <filesystem>

#include "base/TextCase.h"
#include "ui/AfxWin.h"
#include "ui/ResourceError.h"
#include "ui/ResourceScript.h"

namespace uv {

namespace fs = std::filesystem;

Resources& Resources::instance() {
  static Resources resources;
  return resources;
}

void Resources::addFolder(const std::wstring& folder, HINSTANCE owner) {
  fs::path root(toUtf8(folder));
  std::error_code ec;
  if (!fs::is_directory(root, ec)) throw ResourceError(L"the resource folder " + folder + L" does not exist");
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(root, ec))
    if (entry.is_regular_file() && entry.path().extension() == ".dlg") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ResourceScript all;
  for (const auto& file : files) {
    ResourceScript one = ResourceScript::parseFile(fromUtf8(file.string()));
    for (auto& d : one.dialogs) all.dialogs.push_back(std::move(d));
    for (auto& i : one.images) all.images.push_back(std::move(i));
  }
  add(std::move(all), owner);
}

void Resources::addText(std::wstring_view text, const std::wstring& fileName, const std::wstring& folder,
                        HINSTANCE owner) {
  add(ResourceScript::parse(text, fileName, folder), owner);
}

void Resources::add(ResourceScript&& script, HINSTANCE owner) {
  auto source = std::find_if(m_sources.begin(), m_sources.end(), [&](const Source& s) { return s.owner == owner; });
  if (source == m_sources.end()) {
    m_sources.push_back(Source{owner, {}, {}});
    source = m_sources.end() - 1;
  }
  // Check the whole script against what the owner has before taking any of it.
  for (size_t i = 0; i < script.dialogs.size(); ++i) {
    const DialogTemplate& d = script.dialogs[i];
    auto clash = [&](const DialogTemplate& other) {
      if (other.id == d.id)
        throw ResourceError(d.file, d.line,
                            L"dialog " + std::to_wstring(d.id) + L" is already defined in " + other.file + L":" +
                                std::to_wstring(other.line));
    };
    for (const auto& other : source->dialogs) clash(*other);
    for (size_t j = 0; j < i; ++j) clash(script.dialogs[j]);
  }
  for (size_t i = 0; i < script.images.size(); ++i) {
    const ImageResource& img = script.images[i];
    auto clash = [&](const ImageResource& other) {
      if (other.id == img.id && other.type == img.type)
        throw ResourceError(img.file, img.line,
                            L"image " + std::to_wstring(img.id) + L" is already declared in " + other.file + L":" +
                                std::to_wstring(other.line));
    };
    for (const auto& other : source->images) clash(other);
    for (size_t j = 0; j < i; ++j) clash(script.images[j]);
  }
  for (auto& d : script.dialogs) source->dialogs.push_back(std::make_unique<DialogTemplate>(std::move(d)));
  for (auto& i : script.images) source->images.push_back(std::move(i));
}

void Resources::clear() { m_sources.clear(); }

const DialogTemplate* Resources::dialog(UINT id) const {
  const HINSTANCE current = AfxGetResourceHandle();
  const DialogTemplate* fallback = nullptr;
  for (const auto& source : m_sources)
    for (const auto& d : source.dialogs)
      if (d->id == id) {
        if (source.owner == current) return d.get();
        if (!fallback) fallback = d.get();
      }
  return fallback;
}

const ImageResource* Resources::image(ImageRef::Type type, UINT id) const {
  const HINSTANCE current = AfxGetResourceHandle();
  const ImageResource* fallback = nullptr;
  for (const auto& source : m_sources)
    for (const auto& i : source.images)
      if (i.id == id && i.type == type) {
        if (source.owner == current) return &i;
        if (!fallback) fallback = &i;
      }
  return fallback;
}

void Resources::setMessageResolver(std::function<std::wstring(UINT)> resolver) { m_resolver = std::move(resolver); }

std::wstring Resources::message(UINT id) const {
  if (m_resolver) return m_resolver(id);
  return L"[message " + std::to_wstring(id) + L"]";
}

std::wstring TemplateText::resolve() const { return message ? Resources::instance().message(*message) : text; }

const ControlTemplate* DialogTemplate::control(int id) const {
  for (const auto& c : controls)
    if (c.id == id) return &c;
  return nullptr;
}

const ControlTemplate* DialogTemplate::control(const std::wstring& name) const {
  for (const auto& c : controls)
    if (c.name == name) return &c;
  return nullptr;
}

std::wstring DialogTemplate::describe() const {
  return L"template " + std::to_wstring(id) + L" " + name + L" (" + file + L")";
}

}  // namespace uv
