// The module's JavaScript interface, added to the module object by the build
// (--post-js); coredesign-engine.d.ts describes it. It turns every text into
// UTF-8 bytes before the engine sees it (TextEncoder writes a lone surrogate
// as U+FFFD) and guards the host: a host method that is missing, throws or
// answers something else than a string counts as "none" (or as a failed
// write, with its reason), so that nothing a host does unwinds the engine.

/** @param {unknown} value */
function coreDesignText(value) {
  return typeof value === 'string' ? value : '';
}

/** The reason a host method gave by throwing. */
function coreDesignReason(error) {
  const message = error && typeof error === 'object' && 'message' in error ? error.message : error;
  return typeof message === 'string' && message !== '' ? message : 'the host could not do it';
}

function coreDesignHostAdapter(host) {
  const encoder = new TextEncoder();
  const decoder = new TextDecoder();
  const given = host && typeof host === 'object' ? host : {};
  const ask = (name, ...args) => {
    if (typeof given[name] !== 'function') return '';
    try {
      return coreDesignText(given[name](...args));
    } catch (error) {
      return '';
    }
  };
  const read = (name, none, ...args) => {
    if (typeof given[name] !== 'function') return { failure: encoder.encode(none) };
    try {
      const bytes = given[name](...args);
      if (bytes instanceof Uint8Array) return { bytes: new Uint8Array(bytes) };
      return { failure: encoder.encode('the host gave no bytes') };
    } catch (error) {
      return { failure: encoder.encode(coreDesignReason(error)) };
    }
  };
  return {
    tempFolder: () => encoder.encode(ask('tempFolder')),
    pictureReference: (fileName) => encoder.encode(ask('pictureReference', fileName)),
    // null when written, else the reason's bytes.
    writeFile: (path, bytes, how) => {
      if (typeof given.writeFile !== 'function') return encoder.encode('this host writes no files');
      try {
        given.writeFile(decoder.decode(path), bytes, how);
        return null;
      } catch (error) {
        return encoder.encode(coreDesignReason(error));
      }
    },
    // {bytes} when read, else {failure}.
    readFile: (path, maxBytes) => read('readFile', 'this host reads no files', decoder.decode(path), maxBytes),
    readStandardInput: (maxBytes) => read('readStandardInput', 'this host has no standard input', maxBytes),
  };
}

// (In place of the runtime's own Module.run, which started the module and is
// not called again.)
Module['run'] = function (argv, host) {
  if (!Array.isArray(argv) || argv.some((arg) => typeof arg !== 'string'))
    throw new TypeError('run(argv, host): argv must be an array of strings');
  const encoder = new TextEncoder();
  const result = Module['runCommandLine'](
    argv.map((arg) => encoder.encode(arg)),
    coreDesignHostAdapter(host),
  );
  return { status: result.status, stdout: result.stdout, stderr: result.stderr };
};

Module['usageText'] = function () {
  return new TextDecoder().decode(Module['usageBytes']());
};

Module['versionText'] = function () {
  return new TextDecoder().decode(Module['versionBytes']());
};
